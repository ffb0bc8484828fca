#include <QTimer>
#include <functional>

#include "form2.h"
#include "main_window_fixture.h"
#include "quit_when_nothing_visible.h"
#include "waveform_window_host.h"

namespace ostrevo::ui::testing {
namespace {

// Runs the application's event loop with `steps` queued one after the other
// and tells how the loop ended: 0 when the program quit, -1 when it was still
// running after the last step had had ample time.
class Closing : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        waveformWindow.setWindowTitle("Grafici");
        waveformWindow.show();
    }

    int runEventLoop(std::vector<std::function<void()>> steps) {
        for (auto& step : steps) QTimer::singleShot(0, &form(), step);
        QTimer stillRunning;
        stillRunning.setSingleShot(true);
        QObject::connect(&stillRunning, &QTimer::timeout, [] { QApplication::exit(-1); });
        stillRunning.start(10000);
        return QApplication::exec();
    }

    QuitWhenNothingVisible quitWhenNothingVisible;  // as the program has
    QWidget waveformWindow;                         // stands in for the waveform window
};

TEST_F(Closing, EsciEndsTheProgramWithEveryWindow) {
    EXPECT_EQ(runEventLoop({[this] { click("Command3"); }}), 0);
    EXPECT_FALSE(form().isVisible());
    EXPECT_FALSE(waveformWindow.isVisible());
}

TEST_F(Closing, FrameClosesOnlyTheMainWindowAndTheProgramEndsWithTheLastVisibleWindow) {
    bool waveformStillOpen = false;
    const int result = runEventLoop({[this] { form().close(); },
                                     [&] {
                                         waveformStillOpen = waveformWindow.isVisible();
                                         waveformWindow.close();
                                     }});
    EXPECT_TRUE(waveformStillOpen);
    EXPECT_FALSE(form().isVisible());
    EXPECT_EQ(result, 0);
}

TEST_F(Closing, HiddenWaveformWindowDoesNotKeepTheProgramAlive) {
    waveformWindow.hide();
    EXPECT_EQ(runEventLoop({[this] { form().close(); }}), 0);
}

// The same with the program's own waveform window, whose "Esci" unloads it
// and leaves a fresh hidden one.
class ClosingWithTheRealWaveformWindow : public ::testing::Test {
protected:
    void SetUp() override {
        session.form().show();
        session.form().Command6_Click();
        session.form().Command2_Click();
        ASSERT_NE(host.window(), nullptr);
        ASSERT_TRUE(host.window()->isVisible());
    }

    // Runs the event loop from `first`; returns 0 when the program quit.
    int runEventLoop(const std::function<void()>& first) {
        QTimer::singleShot(0, &session.form(), first);
        QTimer stillRunning;
        QObject::connect(&stillRunning, &QTimer::timeout, [] { QApplication::exit(-1); });
        stillRunning.start(10000);
        return QApplication::exec();
    }

    QuitWhenNothingVisible quitWhenNothingVisible;
    RecordingMessages recorded;
    WaveformWindowHost host;
    CircuitSession session{host, recorded.boxes};
};

TEST_F(ClosingWithTheRealWaveformWindow, ProgramEndsWhenTheWaveformWindowGoesAfterTheMainWindow) {
    bool waveformStillOpen = false;
    const int result = runEventLoop([&] {
        session.form().close();
        QTimer::singleShot(0, &session.form(), [&] {
            waveformStillOpen = host.window()->isVisible();
            host.window()->Command1_Click();
        });
    });
    EXPECT_TRUE(waveformStillOpen);
    EXPECT_EQ(result, 0);
}

TEST_F(ClosingWithTheRealWaveformWindow, WaveformEsciAloneLeavesTheMainWindowRunning) {
    constexpr int kStillRunning = 7;
    const int result = runEventLoop([&] {
        host.window()->Command1_Click();
        // Queued behind the check that follows the hiding.
        QTimer::singleShot(0, &session.form(), [] { QApplication::exit(kStillRunning); });
    });
    EXPECT_EQ(result, kStillRunning);
    EXPECT_TRUE(session.form().isVisible());
}

}  // namespace
}  // namespace ostrevo::ui::testing
