// "Grafici" into the waveform window: the picture, its labels, the readout and how the window comes and goes.
#include <QPointer>
#include <optional>
#include <string>
#include <vector>

#include "ui_fixture.h"
#include "waveform_test_support.h"

namespace ostrevo::test {
namespace {

class WaveformPlot : public ui::testing::MainWindowTest {
protected:
    void plotExample(const char* button) { clickBoth(button, "Command2"); }
    QStringList labels(std::initializer_list<const char*> names) {
        QStringList texts;
        for (const char* name : names) texts << plotText(name);
        return texts;
    }
    QStringList timeLabels() { return labels({"Label2", "Label1", "Label3"}); }
    QStringList readout() { return labels({"Label16", "Label17", "Label29", "Label32"}); }
    QImage picture() { return plot().picture1()->picture(); }
    int row(double y) { return static_cast<int>(PixelOf(picture(), 0, y).y); }
    // The zero lines of vc (y = 50) and of vo (y = 0.1) span the whole width.
    void expectZeroLines() {
        for (int x = 0; x < picture().width(); ++x) {
            ASSERT_EQ(picture().pixel(x, row(50)), kRedPixel) << x;
            ASSERT_EQ(picture().pixel(x, row(0.1)), kBluePixel) << x;
        }
    }
};

// Run again at device pixel ratio 2 (waveform_window_high_dpi): the picture holds device pixels, samples and labels
// keep their places and the window shows the picture device for device.
TEST_F(WaveformPlot, ExamplesShowTheirSamplesTimesAndLabelsAtTheirPlaces) {
    plotExample("Command5");
    ExpectSamplesOnTheirTraces(picture(), Example::Ideal);
    EXPECT_EQ(timeLabels(), QStringList({"2.31E+01", "4.63E+01", "6.94E+01"}));
    plotExample("Command6");
    ExpectSamplesOnTheirTraces(picture(), Example::Real);
    EXPECT_EQ(timeLabels(), QStringList({"8.66E+00", "1.73E+01", "2.60E+01"}));
    EXPECT_TRUE(messages.isEmpty());

    ui::PictureArea& area = *plot().picture1();
    const qreal ratio = plot().devicePixelRatio();
    ASSERT_EQ(ratio, qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble());
    EXPECT_EQ(picture().size(), area.contentsRect().size() * ratio);
    // Inner area 921 x 633: x 49 -> column 451, y 3 -> row 613; strip 71 x 621: x 15 -> 11, y 99.5, 97, 2 -> 3, 19, 608.
    const std::pair<const char*, QPoint> places[] = {
        {"Label1", {451, 613}}, {"Label3", {681, 613}}, {"Label6", {11, 3}}, {"Label7", {11, 19}}, {"Label4", {11, 608}}};
    for (const auto& [name, inner] : places) {
        QLabel* label = plot().containedLabel(ControlName(name));
        const QPoint corner = qobject_cast<ui::PictureArea*>(label->parentWidget())->contentsRect().topLeft();
        EXPECT_EQ(label->pos() - corner, inner) << name;
    }
    control("Command1", &plot())->setFocus();  // no readout cursor over the picture
    const QImage window = plot().grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint origin = area.mapTo(&plot(), area.contentsRect().topLeft()) * ratio;
    const QRect band(0, 0, picture().width(), picture().height() / 2);  // vc, above the time labels
    EXPECT_EQ(window.copy(band.translated(origin)), picture().copy(band).convertToFormat(QImage::Format_RGB32));

    open(QLocale(QLocale::Italian, QLocale::Italy));  // times with a comma
    plotExample("Command5");
    EXPECT_EQ(timeLabels(), QStringList({"2,31E+01", "4,63E+01", "6,94E+01"}));
}

// A second plot without periods erases the first: the one-pixel zero lines and the ticks they cross stay.
TEST_F(WaveformPlot, ASecondPlotWithoutPeriodsLeavesOnlyTheFrame) {
    plotExample("Command5");
    ui::WaveformWindow* first = &plot();
    type("Text6", "0");
    click("Command2");
    EXPECT_EQ(&plot(), first);
    EXPECT_EQ(timeLabels(), QStringList({"0.00E+00", "0.00E+00", "0.00E+00"}));
    expectZeroLines();
    const QImage shown = picture();
    EXPECT_EQ(CountPixels(shown, kRedPixel) + CountPixels(shown, kBluePixel), 2 * shown.width());
    int ticks = 0;
    const auto tick = [&](double x0, double y0, double x1, double y1) {
        const DevicePixel from = PixelOf(shown, x0, y0), to = PixelOf(shown, x1, y1);
        for (auto x = from.x; x <= to.x; ++x) {
            for (auto y = std::min(from.y, to.y); y <= std::max(from.y, to.y); ++y) {
                if (y == row(50) || y == row(0.1)) continue;
                EXPECT_EQ(shown.pixel(int(x), int(y)), kBlackPixel) << x << ", " << y;
                ++ticks;
            }
        }
    };
    for (int k = 100; k > 0; k -= 5) tick(0, k, 0.2, k);  // none at y = 0
    for (int k = 0; k <= 100; k += 25) tick(k, 0, k, 0.5);
    EXPECT_EQ(CountPixels(shown, kBlackPixel), ticks);
}

TEST_F(WaveformPlot, FaultsKeepWhatWasDrawnAndShowOneMessage) {
    const struct {
        const char* example;
        std::vector<std::pair<const char*, const char*>> typed;  // over the example
        bool labelsWritten, vcDrawn;
    } cases[] = {
        {"Command6", {{"Text16", "0"}}, true, false},
        {"Command5", {{"Text3", "0"}, {"Text4", "0.5"}, {"Text5", "1"}}, true, false},  // v+ = 0
        {"Command5", {{"Text1", "0"}}, true, true},
        {"Command6", {{"Text16", "2147483647"}}, false, false},
    };
    for (const auto& c : cases) {
        // The same picture and message whatever the number of threads sampling.
        std::optional<std::pair<QImage, QStringList>> onOneThread;
        for (const int threads : {1, 2, 8}) {
            SCOPED_TRACE(std::string(c.typed[0].first) + " on threads: " + std::to_string(threads));
            if (host.window() != nullptr) plot().exitWindow();  // a fresh window for each
            form().setSamplingThreads(threads);
            messages.clear();
            click(c.example);
            for (const auto& [field, typed] : c.typed) type(field, typed);
            click("Command2");
            EXPECT_EQ(messages.size(), 1);
            EXPECT_EQ(plotText("Label1") != "Label1", c.labelsWritten);
            expectZeroLines();
            EXPECT_EQ(CountPixels(picture(), kRedPixel) > picture().width(), c.vcDrawn);
            EXPECT_EQ(CountPixels(picture(), kBluePixel), picture().width());
            if (!onOneThread) onOneThread.emplace(picture(), messages);
            EXPECT_EQ(picture(), onOneThread->first);
            EXPECT_EQ(messages, onOneThread->second);
        }
    }
}

// The pointer over the plot: the upper half reads vc, the lower half vo, with
// the values the plot on screen was drawn with; a plot that stops keeps them.
TEST_F(WaveformPlot, ReadoutUnderThePointerKeepsTheValuesOfThePlotOnScreen) {
    plotExample("Command6");
    const DevicePixel pixel = PixelOf(picture(), 25, 72.5);  // on the vc half
    const qreal ratio = picture().devicePixelRatio();
    PointAt(plot(), form(), QPoint(int(pixel.x / ratio), int(pixel.y / ratio)));
    EXPECT_TRUE(control<QRadioButton>("Option1", &plot())->isChecked());
    EXPECT_NEAR(plotText("Label16").toDouble(), 8.658, 0.05);  // within a pixel
    EXPECT_NEAR(plotText("Label17").toDouble(), 3.35, 0.05);
    ReadOutAt(plot(), 25, 72.5F);
    EXPECT_EQ(readout(), QStringList({"8.658", "3.35", "", ""}));
    ReadOutAt(plot(), 10, 20);
    EXPECT_EQ(readout(), QStringList({"", "", "3.463", "5.33"}));
    EXPECT_TRUE(control<QRadioButton>("Option3", &plot())->isChecked());

    plotExample("Command5");
    const QImage before = picture();
    const QStringList labelsBefore = timeLabels();
    design("2", "50", "10");  // new tc, ts and C
    clickBoth("Command6", "Command1");  // new times on other data
    ASSERT_EQ(text("Label11"), "5.706");
    type("Text3", "6,7");
    click("Command2");  // refused by the entry check
    EXPECT_EQ(picture(), before);
    const std::pair<const char*, const char*> overflowing[] = {  // axis times past the largest double
        {"Text2", "1E307"}, {"Text6", "1000"}, {"Text3", "9"}, {"Text1", "13"}};
    click("Command5");
    for (const auto& [field, typed] : overflowing) type(field, typed);
    click("Command2");
    ASSERT_EQ(messages.size(), 2);  // the two stops
    EXPECT_TRUE(messages[1].startsWith("Impossibile calcolare i tempi dell'asse orizzontale"));
    EXPECT_EQ(timeLabels(), labelsBefore);
    ReadOutAt(plot(), 50, 95);
    EXPECT_EQ(plotText("Label16") + " " + plotText("Label17"), "46.268 8.00");
}

TEST_F(WaveformPlot, EsciLeavesAFreshHiddenWindowAndTheFrameUnloadsIt) {
    plotExample("Command6");
    ReadOutAt(plot(), 50, 45);
    QPointer<ui::WaveformWindow> first = &plot();
    click("Command1", first);
    ASSERT_NE(host.window(), first.data());
    EXPECT_FALSE(first->isVisible() || plot().isVisible());
    click("Command2");
    EXPECT_TRUE(plot().isVisible());
    EXPECT_TRUE(control<QRadioButton>("Option1", &plot())->isChecked());
    EXPECT_EQ(readout(), QStringList({"", "", "", ""}));
    EXPECT_EQ(timeLabels(), QStringList({"8.66E+00", "1.73E+01", "2.60E+01"}));

    plot().showMinimized();
    click("Command2");  // brings a minimized window back
    EXPECT_FALSE(plot().isMinimized());
    plot().close();
    EXPECT_EQ(host.window(), nullptr);  // unloaded
    click("Command2");
    EXPECT_GT(CountPixels(picture(), kRedPixel), picture().width());
}

}  // namespace
}  // namespace ostrevo::test
