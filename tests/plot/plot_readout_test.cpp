#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "circuit_examples.h"
#include "fast_trace_renderer.h"
#include "plot_description.h"
#include "plot_readout.h"
#include "waveform_form.h"

namespace ostrevo {
namespace {

// The readout controls as the readout left them.
struct FakePanel : ReadoutPanel {
    std::string checked = "Option1";
    std::map<std::string, std::string, std::less<>> texts;
    std::string toolTip, description;
    std::vector<std::string> announced;
    std::int64_t cursor = -1;

    bool isChecked(ControlName option) const override { return checked == option.text(); }
    void check(ControlName option) override { checked = std::string(option.text()); }
    void setText(ControlName box, const std::string& utf8) override { texts[std::string(box.text())] = utf8; }
    void setTextColour(ControlName, Rgb) override {}
    void setToolTip(const std::string& utf8) override { toolTip = utf8; }
    void moveCursor(std::int64_t column) override { cursor = column; }
    void announce(const std::string& utf8) override { announced.push_back(utf8); }
    void describe(const std::string& utf8) override { description = utf8; }
};

// The ideal example of the main window (NP 5, N 1000), plotted on a canvas
// of 601 x 401 device pixels.
constexpr CircuitParameters kIdeal{12, 22, 4.7, 0, 0, 0, 1, 8, 4, 0, 5, 1000};
constexpr int kWidth = 601;
constexpr int kHeight = 401;

struct Plotted {
    testing::SampledPeriod period;
    TraceRequest request;
    PlotScale scale;

    explicit Plotted(const CircuitParameters& p, std::optional<TraceStop> stop = std::nullopt)
        : period(testing::SamplePeriod(p, false)),
          request(period.request()),
          scale{period.times.ts, period.times.tc, p.NP, p.VPlus, p.Vcc, p.VMinus} {
        request.stop = stop;
    }
    void show(PlotReadout& readout) const {
        readout.setPictureSize(kWidth, kHeight);
        readout.setScale(scale);
        readout.setTraces(request);
    }
    std::vector<std::uint32_t> raster() const {
        std::vector<std::uint32_t> pixels(std::size_t{kWidth} * kHeight, 0);
        PlotCanvas canvas(pixels.data(), kWidth, kHeight, kWidth);
        DrawTracesAggregated(canvas, request);
        return pixels;
    }
};

struct ReadoutTest : ::testing::Test {
    FakePanel panel;
    PlotReadout readout{panel, ","};
    Plotted ideal{kIdeal};
    void SetUp() override { ideal.show(readout); }
    std::string box(ControlName name) { return panel.texts[std::string(name.text())]; }
    std::string box(std::string_view name) { return panel.texts[std::string(name)]; }
};

TEST_F(ReadoutTest, KeysMoveTheCursorByColumnsTenthsToTheEndsAndChooseTheHalf) {
    struct Step {
        ReadoutKey key;
        std::int64_t column;
        const char* option;
    };
    const Step steps[]{
        {ReadoutKey::ColumnRight, 1, "Option1"},  {ReadoutKey::TenthRight, 61, "Option1"},
        {ReadoutKey::ColumnLeft, 60, "Option1"},  {ReadoutKey::TenthLeft, 0, "Option1"},
        {ReadoutKey::ColumnLeft, 0, "Option1"},   {ReadoutKey::LastColumn, 600, "Option1"},
        {ReadoutKey::ColumnRight, 600, "Option1"}, {ReadoutKey::LowerTrace, 600, "Option3"},
        {ReadoutKey::FirstColumn, 0, "Option3"},  {ReadoutKey::UpperTrace, 0, "Option1"},
    };
    for (const Step& step : steps) {
        readout.press(step.key);
        EXPECT_EQ(panel.cursor, step.column) << int(step.key);
        EXPECT_EQ(readout.cursorColumn(), step.column);
        EXPECT_EQ(panel.checked, step.option);
    }
    EXPECT_EQ(panel.announced.size(), std::size(steps));
}

TEST_F(ReadoutTest, SwitchKeysJumpToTheInstantsWhereVoChangesLevel) {
    // ts and tc of the ideal example: each period's switches at ts and ts + tc.
    const double period = ideal.scale.ts + ideal.scale.tc;
    std::vector<std::int64_t> expected;
    for (int p = 0; p < 5; ++p) {
        for (const double t : {p * period + ideal.scale.ts, (p + 1) * period}) {
            expected.push_back(std::lround(t / (5 * period) * (kWidth - 1)));
        }
    }
    std::vector<std::int64_t> forwards;
    for (std::size_t i = 0; i < expected.size() + 1; ++i) {
        readout.press(ReadoutKey::NextSwitch);
        forwards.push_back(readout.cursorColumn());
    }
    expected.push_back(expected.back());  // nothing after the last: the cursor stays
    EXPECT_EQ(forwards, expected);
    readout.press(ReadoutKey::PreviousSwitch);
    EXPECT_EQ(readout.cursorColumn(), expected[expected.size() - 3]);
    readout.press(ReadoutKey::FirstColumn);
    readout.press(ReadoutKey::PreviousSwitch);
    EXPECT_EQ(readout.cursorColumn(), 0);
}

// The keys read what the pointer reads when it lies on the trace in the
// cursor's column: on one of the rows drawn there in the trace's colour.
TEST_F(ReadoutTest, KeysReadWhatThePointerReadsOnTheDrawnTrace) {
    for (const auto& [circuit, option] : {std::pair{kIdeal, "Option1"}, std::pair{kIdeal, "Option3"},
                                          std::pair{CircuitParameters{12, 22, 4.7, 0, 0, 0, 1, 8, 4, 0, 3, 40}, "Option1"},
                                          std::pair{CircuitParameters{9, 10, 3, 50, 40, 5, 1, 6, 3, 0.6, 2, 200000}, "Option3"}}) {
        Plotted plot(circuit);
        plot.show(readout);
        const std::vector<std::uint32_t> raster = plot.raster();
        const Trace trace = std::string(option) == "Option1" ? Trace::Vc : Trace::Vo;
        readout.press(trace == Trace::Vc ? ReadoutKey::UpperTrace : ReadoutKey::LowerTrace);
        readout.press(ReadoutKey::FirstColumn);
        const form2::Readout& boxes = form2::kReadouts[std::size_t(trace)];
        int compared = 0;
        for (std::int64_t column = 0; column < kWidth; column += 7, readout.press(ReadoutKey::ColumnRight)) {
            while (readout.cursorColumn() < column) readout.press(ReadoutKey::ColumnRight);
            std::set<std::string> pointerReadings;
            for (int row = 0; row < kHeight; ++row) {
                if (raster[std::size_t(row) * kWidth + std::size_t(column)] != Argb(TraceColour(trace))) continue;
                FakePanel pointerPanel;
                pointerPanel.checked = option;
                PlotReadout pointer(pointerPanel, ",");
                plot.show(pointer);
                pointer.pointerAt(double(column), double(row));
                if (pointerPanel.checked == option) pointerReadings.insert(pointerPanel.texts[std::string(boxes.voltage.text())]);
            }
            if (pointerReadings.empty()) continue;  // another trace drawn over it, or a gap
            EXPECT_TRUE(pointerReadings.contains(box(boxes.voltage))) << option << " column " << column << " keys " << box(boxes.voltage) << " pointer " << *pointerReadings.begin() << ".." << *pointerReadings.rbegin() << " N " << circuit.N;
            ++compared;
        }
        EXPECT_GT(compared, 40);
    }
}

TEST_F(ReadoutTest, TheAnnouncementNamesTheTraceTimeAndVoltageWithTheLocalesSeparator) {
    readout.press(ReadoutKey::TenthRight);
    ASSERT_EQ(panel.announced.size(), 1u);
    EXPECT_EQ(panel.announced[0], "vc(t): t " + box("Label16") + " usec, " + box("Label17") + " V");
    EXPECT_NE(box("Label16").find(','), std::string::npos);
    EXPECT_EQ(box("Label29"), "");
    readout.followSound(300);
    EXPECT_EQ(panel.announced.size(), 1u) << "the sound speaks while it plays";
    EXPECT_EQ(panel.cursor, 300);
}

TEST_F(ReadoutTest, BeyondAStoppedTraceTheKeysReadNoTrace) {
    Plotted stopped(kIdeal, TraceStop{Trace::Vo, 400});
    stopped.show(readout);
    readout.press(ReadoutKey::LowerTrace);
    EXPECT_EQ(panel.announced.back().find("nessuna traccia"), std::string::npos);
    readout.press(ReadoutKey::LastColumn);
    EXPECT_EQ(panel.announced.back(), "vo(t): t " + box("Label29") + " usec, nessuna traccia");
    EXPECT_EQ(box("Label32"), "");
}

TEST_F(ReadoutTest, ThePointerSelectsItsHalfReadsItsHeightAndMovesTheCursor) {
    readout.pointerAt(300, 300);
    EXPECT_EQ(panel.checked, "Option3");
    EXPECT_EQ(panel.cursor, 300);
    EXPECT_EQ(panel.toolTip, "t = 46,268 usec\" ; vo(t) = 6,67V");
    readout.pointerAt(650.4, 500);  // dragged out of the plot: below it, the selection stays
    EXPECT_EQ(panel.checked, "Option3");
    EXPECT_EQ(panel.cursor, 600);
    EXPECT_TRUE(panel.announced.empty());
}

TEST(DescribePlot, SaysTheTracesTheirLevelsThePeriodAndWhereAFaultStopped) {
    const Plotted ideal(kIdeal);
    EXPECT_EQ(DescribePlot(ideal.scale, &ideal.request, ","),
              "Forme d'onda a regime su 5 periodi, da 0 a 92,535 usec. In alto, in rosso, la tensione sul condensatore "
              "vc(t), tra v- = 4,00 V e v+ = 8,00 V. In basso, in blu, la tensione d'uscita vo(t), tra 0 e Vcc = 12,00 "
              "V. Periodo 18,507 usec: scarica ts 3,258 usec, con vo(t) basso, poi carica tc 15,249 usec, con vo(t) "
              "alto.");
    const Plotted stopped(kIdeal, TraceStop{Trace::Vo, 250});
    EXPECT_TRUE(DescribePlot(stopped.scale, &stopped.request, ".")
                    .ends_with(" Un errore di calcolo ha fermato il disegno nel primo periodo: vo(t) si interrompe a t = "
                               "4.627 usec, il resto non è disegnato."));
    EXPECT_TRUE(DescribePlot(ideal.scale, nullptr, ".").ends_with(" Nessuna traccia disegnata."));
}

TEST_F(ReadoutTest, ThePanelDescribesEachPlotAndTheDesignedPictureOnceCleared) {
    EXPECT_TRUE(panel.description.starts_with("Forme d'onda a regime su 5 periodi"));
    readout.clear();
    EXPECT_EQ(panel.description, FindControl(form2::kForm, form2::Picture1)->accessible.description);
}

// The frequency of a stretch of pure tone, from its zero crossings.
double Frequency(const std::vector<float>& pcm, std::size_t from, std::size_t to, int rate) {
    int crossings = 0;
    for (std::size_t i = from + 1; i < to; ++i) crossings += (pcm[i - 1] < 0) != (pcm[i] < 0);
    return crossings / 2.0 / (double(to - from) / rate);
}

TEST(SoundOf, PitchFollowsTheHeightLogarithmicallyClicksMarkTheSwitches) {
    std::vector<SoundColumn> columns(300);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i < 100) columns[i].height = 0;
        if (i >= 100 && i < 200) columns[i].height = 0.5;
        if (i >= 200) columns[i].height = 1;
    }
    columns[150].height.reset();
    columns[100].switches = columns[200].switches = true;
    const int rate = 48000;
    const AudioTrace sound = SoundOf(columns, 7, 0.01, rate);
    EXPECT_EQ(sound.firstColumn, 7);
    ASSERT_EQ(sound.pcm.size(), 3u * rate);
    EXPECT_NEAR(Frequency(sound.pcm, 10 * 480, 90 * 480, rate), 200, 4);
    EXPECT_NEAR(Frequency(sound.pcm, 160 * 480, 190 * 480, rate), 200 * std::sqrt(8.0), 6);
    EXPECT_NEAR(Frequency(sound.pcm, 210 * 480, 290 * 480, rate), 1600, 10);
    for (std::size_t i = 150 * 480; i < 151 * 480; ++i) ASSERT_EQ(sound.pcm[i], 0) << "no trace, no sound";
    // A click stands out of the tone only at the start of a switching column.
    const auto loudest = [&](std::size_t from, std::size_t to) {
        float peak = 0;
        for (std::size_t i = from; i < to; ++i) peak = std::max(peak, std::abs(sound.pcm[i]));
        return peak;
    };
    EXPECT_GT(loudest(100 * 480, 100 * 480 + 100), 0.5F);
    EXPECT_GT(loudest(200 * 480, 200 * 480 + 100), 0.5F);
    EXPECT_LT(loudest(101 * 480, 199 * 480), 0.31F);
    EXPECT_LT(std::abs(sound.pcm.front()) + std::abs(sound.pcm.back()), 0.01F) << "faded in and out";
}

TEST_F(ReadoutTest, TheSoundStartsAtTheCursorAndClicksAtItsSwitchingColumns) {
    readout.press(ReadoutKey::LowerTrace);
    readout.press(ReadoutKey::NextSwitch);
    const std::int64_t firstSwitch = readout.cursorColumn();
    readout.press(ReadoutKey::ColumnLeft);
    const AudioTrace sound = readout.sound(8000);
    EXPECT_EQ(sound.firstColumn, firstSwitch - 1);
    EXPECT_DOUBLE_EQ(sound.secondsPerColumn, 3.0 / kWidth);
    // vo is low before the switch and high after it: 200 Hz, then 1600 Hz at most.
    const std::size_t perColumn = 8000 * 3 / kWidth;
    EXPECT_EQ(sound.pcm.size(), std::size_t(std::llround((kWidth - firstSwitch + 1) * 8000 * 3.0 / kWidth)));
    float clickPeak = 0;
    for (std::size_t i = perColumn; i < perColumn + 30; ++i) clickPeak = std::max(clickPeak, std::abs(sound.pcm[i]));
    EXPECT_GT(clickPeak, 0.5F);
}

}  // namespace
}  // namespace ostrevo
