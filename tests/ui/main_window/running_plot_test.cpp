// A long "Grafici": its progress after a moment, its stop by button or by
// Escape, and the clicks that wait for it.
#include <QElapsedTimer>
#include <QProgressBar>
#include <functional>

#include "ui_fixture.h"

namespace ostrevo::ui::testing {
namespace {

class RunningPlotTest : public MainWindowTest {
protected:
    // The real example over 2·10^9 samples: seconds of work on any machine.
    void startLongPlot() {
        click("Command6");
        type("Text16", "2000000000");
        started_.start();
        QTest::mouseClick(control<QPushButton>("Command2"), Qt::LeftButton);
        ASSERT_NE(form().runningPlot(), nullptr);
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::BusyCursor);
    }
    QProgressBar* bar() { return form().findChild<QProgressBar*>(); }
    bool barShown() { return bar() != nullptr && bar()->isVisible(); }
    // Runs the event loop until `done` or `limit` ms after the start.
    template <typename Done>
    void until(Done done, qint64 limit) {
        while (!done() && started_.elapsed() < limit) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    // Milliseconds from `stop` until the plot has ended.
    template <typename Stop>
    qint64 stopTime(Stop stop) {
        QElapsedTimer stopping;
        stopping.start();
        stop();
        while (form().runningPlot() != nullptr && stopping.elapsed() < kLongestCommand) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        }
        return stopping.elapsed();
    }

    QElapsedTimer started_;
};

TEST_F(RunningPlotTest, ProgressAfterAMomentMovesAndAStopKeepsTheFrameAndLabelsWithoutAMessage) {
    const std::function<void()> stops[] = {
        [this] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); },
        [this] { QTest::mouseClick(bar()->parentWidget()->findChild<QPushButton*>(), Qt::LeftButton); },
    };
    for (const auto& stop : stops) {
        startLongPlot();
        until([this] { return barShown(); }, kLongestCommand);
        EXPECT_GE(started_.elapsed(), 300);
        ASSERT_TRUE(barShown());
        EXPECT_EQ(bar()->parentWidget()->findChild<QPushButton*>()->text(), "Interrompi");
        const int first = bar()->value();
        until([&] { return bar()->value() > first; }, kLongestCommand);
        EXPECT_GT(bar()->value(), first);

        EXPECT_LE(stopTime(stop), 100);
        EXPECT_FALSE(barShown());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_TRUE(messages.isEmpty());
        EXPECT_FALSE(plotText("Label1").isEmpty());
        const QImage picture = plot().picture1()->picture();
        EXPECT_EQ(picture.pixel(0, 0), 0xFF000000) << "the frame";
        EXPECT_EQ(picture.pixel(picture.width() / 3, picture.height() / 4), picture.pixel(1, 1)) << "no trace";
    }
}

TEST_F(RunningPlotTest, NothingShowsBeforeAMomentAndClicksWaitForThePlot) {
    startLongPlot();
    QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);  // "Calcola  ts; tc" waits
    // Shown while less than 300 ms have passed since the click (a loaded
    // machine may take longer between two looks).
    bool shownEarly = false;
    until([&] {
        shownEarly = shownEarly || (barShown() && started_.elapsed() < 300);
        return false;
    }, 250);
    EXPECT_FALSE(shownEarly);
    EXPECT_EQ(text("Label9"), "");
    stopTime([this] { form().runningPlot()->stop(); });
    QCoreApplication::processEvents();
    EXPECT_EQ(text("Label9"), "1.221");
}

}  // namespace
}  // namespace ostrevo::ui::testing
