// The readout under the pointer: its texts, the option buttons and the tool tip.
#include <QLabel>
#include <QToolTip>
#include <array>
#include <cmath>

#include "controls.h"
#include "qt_message_boxes.h"
#include "waveform_test_support.h"

namespace ostrevo::test {
namespace {

// The times of the ideal example: ts = 4.7 ln 2, tc = 22 ln 2, NP = 5.
const PlotScale kIdealPlot{4.7 * std::log(2.0), 22 * std::log(2.0), 5, 8, 12};

class WaveformWindowReadout : public ::testing::Test {
protected:
    WaveformWindowReadout() { show(window); }
    static void show(ui::WaveformWindow& window) {
        window.readout().setScale(kIdealPlot);
        window.show();
    }
    QString text(const char* name) { return window.findChild<QLabel*>(QString::fromLatin1(name))->text(); }
    bool selected(const char* name) { return window.findChild<QRadioButton*>(QString::fromLatin1(name))->isChecked(); }

    ui::QtMessageBoxes boxes{[](const QString& message) { ADD_FAILURE() << message.toStdString(); }};
    ui::WaveformWindow window{boxes};
};

TEST_F(WaveformWindowReadout, EachHalfReadsItsTraceInItsColour) {
    const struct {
        float y;
        const char *selected, *unselected;
        std::array<const char*, 4> boxes;  // Label16, Label17, Label29, Label32
        const char *toolTip, *voltageBelow;  // the selected trace is read on below the plot
    } cases[] = {
        {95, "Option1", "Option3", {"46.268", "8.00", "", ""}, "t = 46.268 usec\" ; vc(t) = 8.00V", "-9.69"},
        {45, "Option3", "Option1", {"", "", "46.268", "12.00"}, "t = 46.268 usec\" ; vo(t) = 12.00V", "-1.20"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.toolTip);
        ReadOutAt(window, 50, c.y == 95 ? 45 : 95);  // the other half first: everything must change
        ReadOutAt(window, 50, c.y);
        EXPECT_TRUE(selected(c.selected));
        EXPECT_FALSE(selected(c.unselected));
        const QStringList boxes{text("Label16"), text("Label17"), text("Label29"), text("Label32")};
        EXPECT_EQ(boxes, QStringList(c.boxes.begin(), c.boxes.end()));
        // Each voltage box keeps its trace's colour, also while it is empty.
        EXPECT_EQ(ui::TextColour(window.findChild<QLabel*>("Label17")), QColor(255, 0, 0));
        EXPECT_EQ(ui::TextColour(window.findChild<QLabel*>("Label32")), QColor(0, 0, 255));
        EXPECT_EQ(window.picture1()->toolTip(), c.toolTip);
        ReadOutAt(window, 50, -4.5);
        EXPECT_TRUE(selected(c.selected));
        EXPECT_EQ(text(c.y == 95 ? "Label17" : "Label32"), c.voltageBelow);
    }
}

TEST_F(WaveformWindowReadout, AToolTipOnScreenFollowsThePointerAndTheLocale) {
    ui::PictureArea& plot = *window.picture1();
    ReadOutAt(window, 50, 95);
    const QPoint inside = plot.contentsRect().center();
    QHelpEvent hover(QEvent::ToolTip, inside, plot.mapToGlobal(inside));
    QApplication::sendEvent(&plot, &hover);
    ASSERT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "t = 46.268 usec\" ; vc(t) = 8.00V");
    ReadOutAt(window, 50, 45);
    EXPECT_EQ(QToolTip::text(), "t = 46.268 usec\" ; vo(t) = 12.00V");
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));  // the locale's decimal separator
    ui::WaveformWindow italian(boxes);
    QLocale::setDefault(QLocale::c());
    show(italian);
    ReadOutAt(italian, 50, 95);
    EXPECT_EQ(italian.findChild<QLabel*>("Label16")->text(), "46,268");
    EXPECT_EQ(italian.picture1()->toolTip(), "t = 46,268 usec\" ; vc(t) = 8,00V");
    QToolTip::hideText();
}

TEST_F(WaveformWindowReadout, TheRealPointerDrivesTheReadout) {
    // The pointer over the pixel of (50, 45) reads back within a pixel's worth of user units.
    ui::PictureArea& plot = *window.picture1();
    const QImage picture = plot.picture();
    const DevicePixel pixel = PixelOf(picture, 50, 45);
    const QPoint logical(static_cast<int>(pixel.x / picture.devicePixelRatio()),
                         static_cast<int>(pixel.y / picture.devicePixelRatio()));
    QTest::mouseMove(&plot, plot.contentsRect().topLeft() + logical);
    EXPECT_TRUE(selected("Option3"));
    EXPECT_NEAR(text("Label29").toDouble(), 46.268, 92.535 / (picture.width() - 1));
    EXPECT_NEAR(text("Label32").toDouble(), 12.00, 100.0 / (picture.height() - 1) * 12 / 45 + 0.005);  // a pixel's worth
}

}  // namespace
}  // namespace ostrevo::test
