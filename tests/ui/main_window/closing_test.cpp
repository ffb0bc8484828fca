#include <QTimer>
#include <functional>

#include "main_window_fixture.h"

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

    QWidget waveformWindow;  // stands in for the waveform window
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

}  // namespace
}  // namespace ostrevo::ui::testing
