// The readout under the pointer: its texts, the option buttons and the tool tip.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLocale>
#include <QTest>
#include <QToolTip>
#include <array>
#include <cmath>

#include "controls.h"
#include "waveform_test_support.h"

namespace ostrevo::test {
namespace {

// The times of the ideal example: ts = 4.7 ln 2, tc = 22 ln 2, NP = 5.
const PlotScale kIdealPlot{4.7 * std::log(2.0), 22 * std::log(2.0), 5, 8, 12};

class WaveformWindowReadout : public ::testing::Test {
protected:
    WaveformWindowReadout() {
        window.rememberPlot(kIdealPlot);
        window.show();
    }
    QString text(const char* name) { return window.findChild<QLabel*>(QString::fromLatin1(name))->text(); }
    QColor colour(const char* name) { return ui::TextColour(window.findChild<QLabel*>(QString::fromLatin1(name))); }
    bool selected(const char* name) { return window.findChild<QRadioButton*>(QString::fromLatin1(name))->isChecked(); }
    void move(float x, float y) { window.readOutAt(x, y); }

    ui::WaveformWindow window;
};

TEST_F(WaveformWindowReadout, EachHalfReadsItsTraceInItsColour) {
    const struct {
        float y;
        const char* selected;
        const char* unselected;
        std::array<const char*, 4> boxes;  // Label16, Label17, Label29, Label32
        const char* toolTip;
    } cases[] = {
        {95, "Option1", "Option3", {"46.268", "8.00", "", ""}, "t = 46.268 usec\" ; vc(t) = 8.00V"},
        {45, "Option3", "Option1", {"", "", "46.268", "12.00"}, "t = 46.268 usec\" ; vo(t) = 12.00V"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.toolTip);
        move(50, c.y == 95 ? 45 : 95);  // the other half first: everything must change
        move(50, c.y);
        EXPECT_TRUE(selected(c.selected));
        EXPECT_FALSE(selected(c.unselected));
        const QStringList boxes{text("Label16"), text("Label17"), text("Label29"), text("Label32")};
        EXPECT_EQ(boxes, QStringList(c.boxes.begin(), c.boxes.end()));
        // Each voltage box keeps its trace's colour, also while it is empty.
        EXPECT_EQ(colour("Label17"), QColor(255, 0, 0));
        EXPECT_EQ(colour("Label32"), QColor(0, 0, 255));
        EXPECT_EQ(window.picture1()->toolTip(), c.toolTip);
    }
}

TEST_F(WaveformWindowReadout, BelowThePlotTheSelectedTraceIsReadOn) {
    move(50, 95);
    move(50, -4.5F);
    EXPECT_TRUE(selected("Option1"));
    EXPECT_EQ(text("Label17"), "-9.69");
    move(50, 45);
    move(50, -4.5F);
    EXPECT_TRUE(selected("Option3"));
    EXPECT_EQ(text("Label32"), "-1.20");
}

TEST_F(WaveformWindowReadout, FollowsTheLocalesDecimalSeparator) {
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    move(50, 95);
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(text("Label16"), "46,268");
    EXPECT_EQ(window.picture1()->toolTip(), "t = 46,268 usec\" ; vc(t) = 8,00V");
}

TEST_F(WaveformWindowReadout, AToolTipOnScreenFollowsThePointer) {
    ui::PictureArea& plot = *window.picture1();
    move(50, 95);
    const QPoint inside = plot.contentsRect().center();
    QHelpEvent hover(QEvent::ToolTip, inside, plot.mapToGlobal(inside));
    QApplication::sendEvent(&plot, &hover);
    ASSERT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "t = 46.268 usec\" ; vc(t) = 8.00V");
    move(50, 45);
    EXPECT_EQ(QToolTip::text(), "t = 46.268 usec\" ; vo(t) = 12.00V");
    QToolTip::hideText();
}

TEST_F(WaveformWindowReadout, TheRealPointerDrivesTheReadout) {
    // The pixel of (50, 45) in logical pixels of the inner area: the pointer
    // reads back within a pixel's worth of user units.
    ui::PictureArea& plot = *window.picture1();
    const QImage picture = plot.picture();
    const DevicePixel pixel = PixelOf(picture, 50, 45);
    const QPoint logical(static_cast<int>(pixel.x / picture.devicePixelRatio()),
                         static_cast<int>(pixel.y / picture.devicePixelRatio()));
    QTest::mouseMove(&plot, plot.contentsRect().topLeft() + logical);
    EXPECT_TRUE(selected("Option3"));
    const double unitsPerPixel = 100.0 / (picture.height() - 1);
    EXPECT_NEAR(text("Label29").toDouble(), 46.268, 92.535 / (picture.width() - 1));
    EXPECT_NEAR(text("Label32").toDouble(), 12.00, unitsPerPixel * 12 / 45 + 0.005);
}

}  // namespace
}  // namespace ostrevo::test
