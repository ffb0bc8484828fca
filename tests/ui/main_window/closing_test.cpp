#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "main_window.h"
#include "quit_when_nothing_visible.h"
#include "recording_messages.h"
#include "waveform_window.h"
#include "waveform_window_host.h"

namespace ostrevo::ui::testing {
namespace {

// The main window and the program's own waveform window, whose "Esci"
// unloads it and leaves a fresh hidden one.
class Closing : public ::testing::Test {
protected:
    void SetUp() override { mainWindow.show(); }

    void plot() {
        mainWindow.fillRealExample();
        mainWindow.plotWaveforms();
        ASSERT_TRUE(host.window()->isVisible());
    }

    // Runs the application's event loop from `first`; returns 0 when the
    // program quit, -1 when it was still running after ample time.
    int runEventLoop(const std::function<void()>& first) {
        QTimer::singleShot(0, &mainWindow, first);
        QTimer stillRunning;
        QObject::connect(&stillRunning, &QTimer::timeout, [] { QApplication::exit(-1); });
        stillRunning.start(10000);
        return QApplication::exec();
    }

    QuitWhenNothingVisible quitWhenNothingVisible;  // as the program has
    RecordingMessages recorded;
    WaveformWindowHost host;
    MainWindow mainWindow{host, recorded.boxes};
};

TEST_F(Closing, EsciEndsTheProgramWithEveryWindow) {
    plot();
    auto* esci = mainWindow.findChild<QPushButton*>("Command3");
    EXPECT_EQ(runEventLoop([esci] { QTest::mouseClick(esci, Qt::LeftButton); }), 0);
    EXPECT_FALSE(mainWindow.isVisible());
    EXPECT_FALSE(host.window()->isVisible());
}

TEST_F(Closing, WithoutAPlotTheFrameEndsTheProgram) {
    EXPECT_EQ(runEventLoop([this] { mainWindow.close(); }), 0);
}

TEST_F(Closing, ProgramEndsWhenTheWaveformWindowGoesAfterTheMainWindow) {
    plot();
    bool waveformStillOpen = false;
    const int result = runEventLoop([&] {
        mainWindow.close();
        QTimer::singleShot(0, &mainWindow, [&] {
            waveformStillOpen = host.window()->isVisible();
            host.window()->exitWindow();
        });
    });
    EXPECT_TRUE(waveformStillOpen);
    EXPECT_FALSE(mainWindow.isVisible());
    EXPECT_EQ(result, 0);
}

TEST_F(Closing, WaveformEsciAloneLeavesTheMainWindowRunning) {
    plot();
    constexpr int kStillRunning = 7;
    const int result = runEventLoop([&] {
        host.window()->exitWindow();
        // Queued behind the check that follows the hiding.
        QTimer::singleShot(0, &mainWindow, [] { QApplication::exit(kStillRunning); });
    });
    EXPECT_EQ(result, kStillRunning);
    EXPECT_TRUE(mainWindow.isVisible());
}

}  // namespace
}  // namespace ostrevo::ui::testing
