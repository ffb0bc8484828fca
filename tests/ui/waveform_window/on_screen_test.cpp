// The real example plotted on an X server: what reaches the screen, and the
// pictures of the documentation (saved where OSTREVO_SCREENSHOT_DIR points).
#include <gtest/gtest.h>

#include <algorithm>

#include <QDir>
#include <QPainter>
#include <QScreen>
#include <QTest>

#include "main_window.h"
#include "recording_messages.h"
#include "waveform_test_support.h"

namespace ostrevo::test {
namespace {

void Save(const QImage& image, const char* name) {
    const QString directory = qEnvironmentVariable("OSTREVO_SCREENSHOT_DIR");
    if (directory.isEmpty()) return;
    ASSERT_TRUE(image.save(QDir(directory).filePath(QString::fromLatin1(name))));
}

// The two windows side by side on a neutral ground.
QImage Beside(QWidget& left, QWidget& right) {
    QImage both(left.width() + right.width(), std::max(left.height(), right.height()), QImage::Format_RGB32);
    both.fill(QColor(128, 128, 128));
    QPainter painter(&both);
    painter.drawPixmap(0, 0, left.grab());
    painter.drawPixmap(left.width(), 0, right.grab());
    return both;
}

TEST(OnScreen, TheRealExamplePlotReachesTheScreenBesideTheMainWindow) {
    ui::testing::RecordingMessages messages;
    WaveformWindowHost host;
    ui::MainWindow mainWindow(host, messages.boxes);
    mainWindow.move(0, 0);
    mainWindow.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&mainWindow));
    mainWindow.fillRealExample();
    mainWindow.plotWaveforms();
    ui::WaveformWindow& waveforms = Window(host);
    waveforms.move(mainWindow.frameGeometry().right() + 1, 0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&waveforms));
    waveforms.readOutAt(25, 72.5F);
    QTest::qWait(300);

    const QRect both = mainWindow.frameGeometry().united(waveforms.frameGeometry());
    const QImage screen = waveforms.screen()->grabWindow(0, both.x(), both.y(), both.width(), both.height()).toImage();
    Save(waveforms.grab().toImage(), "waveform_window.png");
    Save(Beside(mainWindow, waveforms), "waveform_window_beside_main_window.png");

    // Every pixel drawn in the picture shows on the screen in its colour,
    // except under the time labels, which stand on the plot.
    const QImage drawn = Picture(host);
    const ui::PictureArea& plot = *waveforms.picture1();
    QRegion labels;
    for (const QWidget* label : plot.findChildren<QWidget*>()) labels += label->geometry();
    const QPoint inner = plot.contentsRect().topLeft();
    const QPoint origin = plot.mapTo(&waveforms, inner) + waveforms.geometry().topLeft() - both.topLeft();
    int drawnVisible = 0;
    int shownAlike = 0;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            const QRgb colour = drawn.pixel(x, y);
            if ((colour != kRedPixel && colour != kBluePixel) || labels.contains(inner + QPoint(x, y))) continue;
            ++drawnVisible;
            shownAlike += (screen.pixel(origin + QPoint(x, y)) | 0xFF000000) == colour ? 1 : 0;
        }
    }
    EXPECT_EQ(shownAlike, drawnVisible);
    EXPECT_GT(drawnVisible, 4 * drawn.width());
    EXPECT_TRUE(messages.messages.isEmpty());
}

}  // namespace
}  // namespace ostrevo::test
