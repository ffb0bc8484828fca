// "Grafici" from the real main window into the waveform window: what the user
// sees in the plot, its labels and its readout, and how the window comes and goes.
#include <gtest/gtest.h>

#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <vector>
#include <set>
#include <utility>

#include "main_window.h"
#include "recording_messages.h"
#include "waveform_test_support.h"

namespace ostrevo::test {
namespace {

class WaveformPlot : public ::testing::Test {
public:
    ~WaveformPlot() override { DeleteUnloadedWindows(); }

    ui::MainWindow& form() { return mainWindow; }
    void ideal() { form().fillIdealExample(); }
    void real() { form().fillRealExample(); }
    void type(const char* field, const char* text) { form().setText(field, text); }
    void grafici() { form().plotWaveforms(); }
    void move(float x, float y) { Window(host).readOutAt(x, y); }
    QString text(const char* label) { return LabelText(host, label); }
    QStringList timeLabels() { return {text("Label2"), text("Label1"), text("Label3")}; }
    QImage picture() { return Picture(host); }

    ui::testing::RecordingMessages messages;
    WaveformWindowHost host;
    ui::MainWindow mainWindow{host, messages.boxes};
};

// --- the picture -----------------------------------------------------------

// The pixels of the tick marks, as the frame places them: 20 on the vertical
// axis from y = 100 down to 5, 0.2 long, and 5 on the time axis, 0.5 tall.
std::set<std::pair<int, int>> TickPixels(const QImage& picture) {
    std::set<std::pair<int, int>> pixels;
    const auto add = [&](double x0, double y0, double x1, double y1) {
        const DevicePixel from = PixelOf(picture, x0, y0);
        const DevicePixel to = PixelOf(picture, x1, y1);
        for (auto x = from.x; x <= to.x; ++x) {
            for (auto y = std::min(from.y, to.y); y <= std::max(from.y, to.y); ++y) pixels.insert({x, y});
        }
    };
    for (int k = 100; k > 0; k -= 5) add(0, k, 0.2, k);
    for (int k = 0; k <= 100; k += 25) add(k, 0, k, 0.5);
    return pixels;
}

int Row(const QImage& picture, double y) { return static_cast<int>(PixelOf(picture, 0, y).y); }

bool RowHasOnly(const QImage& picture, int row, QRgb colour) {
    for (int x = 0; x < picture.width(); ++x) {
        if (picture.pixel(x, row) != colour) return false;
    }
    return true;
}

TEST_F(WaveformPlot, ExamplesShowTheirTimeLabelsAndVoltageCaptions) {
    const struct {
        void (WaveformPlot::*example)();
        QStringList times;
    } cases[] = {
        {&WaveformPlot::ideal, {"2.31E+01", "4.63E+01", "6.94E+01"}},
        {&WaveformPlot::real, {"8.66E+00", "1.73E+01", "2.60E+01"}},
    };
    for (const auto& c : cases) {
        (this->*c.example)();
        grafici();
        EXPECT_EQ(timeLabels(), c.times);
    }
    EXPECT_TRUE(Window(host).isVisible());
    EXPECT_TRUE(messages.messages.isEmpty());
    const QStringList captions{text("Label6"), text("Label7"), text("Label8"), text("Label12"),
                               text("Label11"), text("Label13"), text("Label4"), text("Label5")};
    EXPECT_EQ(captions, QStringList({"vc(t)[V]", "v+", "v-", "0", "vo(t)", "Vcc", "0", "0"}));

    // A main window opened under the Italian locale writes its times with a comma.
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    ui::MainWindow italian(host, messages.boxes);
    QLocale::setDefault(QLocale::c());
    italian.fillIdealExample();
    italian.plotWaveforms();
    EXPECT_EQ(timeLabels(), QStringList({"2,31E+01", "4,63E+01", "6,94E+01"}));
}

TEST_F(WaveformPlot, LabelsStandAtTheirUserCoordinates) {
    real();
    grafici();
    // Inner area 921 x 633 pixels: x 49 -> column 451, y 3 -> row 613; in the
    // strip (71 x 621) x 15 -> 11, y 99.5 -> row 3, y 97 -> row 19 (18.6), y 2 -> row 608.
    const struct {
        const char* name;
        QPoint inner;
    } cases[] = {{"Label1", {451, 613}}, {"Label2", {221, 613}}, {"Label3", {681, 613}}, {"Label6", {11, 3}},
                 {"Label7", {11, 19}}, {"Label8", {11, 155}}, {"Label12", {11, 298}}, {"Label11", {11, 310}},
                 {"Label13", {11, 322}}, {"Label4", {11, 608}}};
    for (const auto& c : cases) {
        QLabel* label = Window(host).containedLabel(QString::fromLatin1(c.name));
        const auto* area = qobject_cast<ui::PictureArea*>(label->parentWidget());
        EXPECT_EQ(label->pos() - area->contentsRect().topLeft(), c.inner) << c.name;
    }
}

TEST_F(WaveformPlot, SamplesOfVcAreRedAndOfVoBlue) {
    ideal();
    grafici();
    ExpectSamplesOnTheirTraces(picture(), Example::Ideal);
    real();
    grafici();
    ExpectSamplesOnTheirTraces(picture(), Example::Real);
}

// The second plot, without periods, erases the first in the same window.
TEST_F(WaveformPlot, ASecondPlotWithoutPeriodsLeavesOnlyTheFrame) {
    ideal();
    grafici();
    ui::WaveformWindow* first = host.window();
    type("Text6", "0");
    grafici();
    EXPECT_EQ(host.window(), first);
    const QImage shown = picture();
    EXPECT_EQ(timeLabels(), QStringList({"0.00E+00", "0.00E+00", "0.00E+00"}));
    EXPECT_TRUE(RowHasOnly(shown, Row(shown, 50), kRedPixel));
    EXPECT_TRUE(RowHasOnly(shown, Row(shown, 0.1), kBluePixel));
    EXPECT_EQ(CountPixels(shown, kRedPixel), shown.width());
    EXPECT_EQ(CountPixels(shown, kBluePixel), shown.width());

    // Ticks keep the foreground colour except where a zero line crosses them.
    int ticks = 0;
    for (const auto& [x, y] : TickPixels(shown)) {
        if (y == Row(shown, 50) || y == Row(shown, 0.1)) continue;
        EXPECT_EQ(shown.pixel(x, y), kBlackPixel) << x << ", " << y;
        ++ticks;
    }
    EXPECT_EQ(CountPixels(shown, kBlackPixel), ticks);
    EXPECT_NE(shown.pixel(1, Row(shown, 0)), kBlackPixel);  // no tick at y = 0
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(WaveformPlot, FaultsKeepWhatWasDrawnAndShowOneMessage) {
    using Typed = std::vector<std::pair<const char*, const char*>>;
    const struct {
        const char* what;
        void (WaveformPlot::*example)();
        Typed typed;  // over the example
        bool labelsWritten;
        bool vcDrawn;
    } cases[] = {
        {"N = 0", &WaveformPlot::real, {{"Text16", "0"}}, true, false},
        {"v+ = 0", &WaveformPlot::ideal, {{"Text3", "0"}, {"Text4", "0.5"}, {"Text5", "1"}}, true, false},
        {"Vcc = 0", &WaveformPlot::ideal, {{"Text1", "0"}}, true, true},
        {"N = 2147483647", &WaveformPlot::real, {{"Text16", "2147483647"}}, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // Each case starts from a fresh window, as after its "Esci".
        if (host.window() != nullptr) host.window()->exitWindow();
        messages.messages.clear();
        (this->*c.example)();
        for (const auto& [field, text] : c.typed) type(field, text);
        grafici();
        EXPECT_EQ(messages.messages.size(), 1);
        EXPECT_EQ(text("Label1") != "Label1", c.labelsWritten);
        const QImage shown = picture();
        EXPECT_TRUE(RowHasOnly(shown, Row(shown, 50), kRedPixel));
        EXPECT_TRUE(RowHasOnly(shown, Row(shown, 0.1), kBluePixel));
        EXPECT_EQ(CountPixels(shown, kRedPixel) > shown.width(), c.vcDrawn);
        EXPECT_EQ(CountPixels(shown, kBluePixel), shown.width());
    }
}

TEST_F(WaveformPlot, APlotBringsBackAMinimizedWindow) {
    real();
    grafici();
    Window(host).showMinimized();
    grafici();
    EXPECT_FALSE(Window(host).isMinimized());
    EXPECT_TRUE(Window(host).isVisible());
}

TEST_F(WaveformPlot, AFailedCheckCreatesNoWindowOrLeavesTheWindowAsItWas) {
    real();
    type("Text1", "");
    grafici();
    EXPECT_EQ(host.window(), nullptr);
    type("Text1", "12");
    grafici();
    move(50, 95);
    ui::WaveformWindow* shown = host.window();
    const QImage before = picture();
    const QStringList labelsBefore = timeLabels();
    type("Text3", "6,7");
    grafici();
    EXPECT_EQ(messages.messages.size(), 2);
    EXPECT_EQ(host.window(), shown);
    EXPECT_EQ(picture(), before);
    EXPECT_EQ(timeLabels(), labelsBefore);
    EXPECT_EQ(text("Label16"), "17.316");
}

TEST_F(WaveformPlot, ReadoutOfTheRealExample) {
    real();
    grafici();
    move(10, 20);
    EXPECT_EQ(text("Label29"), "3.463");
    EXPECT_EQ(text("Label32"), "5.33");
    move(25, 72.5F);
    EXPECT_EQ(text("Label16"), "8.658");
    EXPECT_EQ(text("Label17"), "3.35");
}

TEST_F(WaveformPlot, ReadoutKeepsTheValuesThePlotWasDrawnWith) {
    ideal();
    grafici();
    move(50, 95);
    const QStringList before{text("Label16"), text("Label17")};
    EXPECT_EQ(before, QStringList({"46.268", "8.00"}));

    type("Text14", "2");
    type("Text13", "50");
    type("Text15", "10");
    form().designResistors();  // "Calcola Rc e Rs": new tc, ts and C
    real();
    form().computeTimes();  // "Calcola  ts; tc" on other data
    ASSERT_EQ(form().text("Label11"), u"5.706");
    move(50, 95);
    EXPECT_EQ(QStringList({text("Label16"), text("Label17")}), before);

    // A plot whose axis times cannot be computed ((ts + tc) x NP passes the
    // largest double) keeps the old labels, and the readout their values.
    ideal();
    const QStringList labelsBefore = timeLabels();
    const std::pair<const char*, const char*> overflowing[] = {
        {"Text2", "1E307"}, {"Text6", "1000"}, {"Text3", "9"}, {"Text1", "13"}};
    for (const auto& [field, typed] : overflowing) type(field, typed);
    messages.messages.clear();
    grafici();
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_TRUE(messages.messages[0].startsWith("Impossibile calcolare i tempi dell'asse orizzontale"));
    EXPECT_EQ(timeLabels(), labelsBefore);
    move(50, 95);
    EXPECT_EQ(QStringList({text("Label16"), text("Label17")}), before);
    move(50, 45);
    EXPECT_EQ(QStringList({text("Label29"), text("Label32")}), QStringList({"46.268", "12.00"}));
}

TEST_F(WaveformPlot, EsciLeavesAFreshHiddenWindowThatTheNextPlotShows) {
    real();
    grafici();
    move(50, 45);
    ui::WaveformWindow* first = host.window();
    QTest::mouseClick(first->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    ui::WaveformWindow* fresh = host.window();
    ASSERT_NE(fresh, nullptr);
    EXPECT_NE(fresh, first);
    EXPECT_FALSE(first->isVisible());
    EXPECT_FALSE(fresh->isVisible());
    EXPECT_EQ(timeLabels(), QStringList({"Label2", "Label1", "Label3"}));

    grafici();
    EXPECT_EQ(host.window(), fresh);
    EXPECT_TRUE(fresh->isVisible());
    EXPECT_TRUE(Option(host, "Option1")->isChecked());
    for (const char* box : {"Label16", "Label17", "Label29", "Label32"}) EXPECT_EQ(text(box), "") << box;
    EXPECT_TRUE(fresh->picture1()->toolTip().isEmpty());
    EXPECT_EQ(timeLabels(), QStringList({"8.66E+00", "1.73E+01", "2.60E+01"}));
}

TEST_F(WaveformPlot, ClosingThroughTheFrameUnloadsTheWindow) {
    real();
    grafici();
    QPointer<ui::WaveformWindow> first = host.window();
    first->close();
    EXPECT_EQ(host.window(), nullptr);
    DeleteUnloadedWindows();
    EXPECT_TRUE(first.isNull());

    grafici();
    ASSERT_NE(host.window(), nullptr);
    EXPECT_TRUE(host.window()->isVisible());
    EXPECT_EQ(CountPixels(picture(), kRedPixel) > picture().width(), true);
}

}  // namespace
}  // namespace ostrevo::test
