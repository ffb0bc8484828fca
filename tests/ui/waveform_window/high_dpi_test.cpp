// The waveform window on a screen of device pixel ratio 2 (QT_SCALE_FACTOR=2):
// the picture holds device pixels, lines stay one device pixel wide and the
// picture reaches the window without being scaled.
#include <gtest/gtest.h>

#include "main_window.h"
#include "recording_messages.h"
#include "waveform_test_support.h"

namespace ostrevo::test {
namespace {

class HighDpi : public ::testing::Test {
public:
    ~HighDpi() override { DeleteUnloadedWindows(); }

protected:
    void SetUp() override {
        mainWindow.fillRealExample();
        mainWindow.plotWaveforms();
        ASSERT_EQ(Window(host).devicePixelRatio(), 2);
    }
    ui::PictureArea& plot() { return *Window(host).picture1(); }

    ui::testing::RecordingMessages messages;
    WaveformWindowHost host;
    ui::MainWindow mainWindow{host, messages.boxes};
};

TEST_F(HighDpi, PictureHasTwiceTheLogicalPixelsAndLabelsKeepTheirLogicalPlaces) {
    EXPECT_EQ(plot().contentsRect().size(), QSize(921, 633));
    EXPECT_EQ(Picture(host).size(), QSize(1842, 1266));
    QLabel* label = Window(host).containedLabel(QStringLiteral("Label1"));
    EXPECT_EQ(label->pos() - plot().contentsRect().topLeft(), QPoint(451, 613));
}

TEST_F(HighDpi, ZeroLinesAreOneDevicePixelThick) {
    const QImage picture = Picture(host);
    const int redRow = static_cast<int>(PixelOf(picture, 0, 50).y);
    const int blueRow = static_cast<int>(PixelOf(picture, 0, 0.1).y);
    for (int x = 0; x < picture.width(); x += 97) {
        EXPECT_EQ(picture.pixel(x, redRow), kRedPixel);
        EXPECT_EQ(picture.pixel(x, redRow - 1), kPlotBackground);
        EXPECT_EQ(picture.pixel(x, redRow + 1), kPlotBackground);
        EXPECT_EQ(picture.pixel(x, blueRow), kBluePixel);
        EXPECT_NE(picture.pixel(x, blueRow - 1), kBluePixel) << x;
    }
}

TEST_F(HighDpi, SamplesLieOnTheirTraces) { ExpectSamplesOnTheirTraces(Picture(host), Example::Real); }

TEST_F(HighDpi, TheWindowShowsThePictureDeviceForDevice) {
    const QImage window = Window(host).grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(window.devicePixelRatio(), 2);
    const QPoint origin = (plot().mapTo(&Window(host), plot().contentsRect().topLeft())) * 2;
    const QImage picture = Picture(host);
    // The band of the vc trace, above the time labels.
    const QRect band(0, 0, picture.width(), picture.height() / 2);
    EXPECT_EQ(window.copy(band.translated(origin)), picture.copy(band).convertToFormat(QImage::Format_RGB32));
}

}  // namespace
}  // namespace ostrevo::test
