#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
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
    readout.setPictureSize(5, 5);  // narrower than ten columns: a tenth is one
    readout.press(ReadoutKey::TenthRight);
    EXPECT_EQ(readout.cursorColumn(), 1);
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
    readout.press(ReadoutKey::PreviousSwitch);
    readout.press(ReadoutKey::PreviousSwitch);
    EXPECT_EQ(readout.cursorColumn(), expected[expected.size() - 5]);
    readout.press(ReadoutKey::FirstColumn);
    readout.press(ReadoutKey::NextSwitch);
    readout.press(ReadoutKey::NextSwitch);
    readout.press(ReadoutKey::PreviousSwitch);
    EXPECT_EQ(readout.cursorColumn(), expected[0]);
    readout.press(ReadoutKey::PreviousSwitch);
    EXPECT_EQ(readout.cursorColumn(), expected[0]) << "none before the first";
}

// Without a period to count on, no instant to jump to: the cursor stays.
TEST_F(ReadoutTest, WithoutAUsablePeriodTheSwitchKeysStay) {
    struct Case {
        double ts, tc;
        std::int32_t NP;
        bool jumps;
    };
    for (const Case c : {Case{0.2, 0.3, 1, true}, Case{0, 0.3, 1, true}, Case{0.2, 0, 1, true}, Case{0, 0, 3, false},
                         Case{0.2, 0.3, 0, false}, Case{-0.2, 0.3, 1, false}, Case{0.2, -0.3, 1, false},
                         Case{0.2, HUGE_VAL, 1, false}, Case{NAN, 0.3, 1, false}}) {
        readout.setScale({c.ts, c.tc, c.NP, 8, 12, 4});
        readout.press(ReadoutKey::FirstColumn);
        readout.press(ReadoutKey::NextSwitch);
        EXPECT_EQ(readout.cursorColumn() > 0, c.jumps) << c.ts << " " << c.tc << " " << c.NP;
    }
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
    readout.press(ReadoutKey::LowerTrace);
    EXPECT_EQ(box("Label16") + box("Label17"), "") << "one trace read at a time";
    EXPECT_NE(box("Label32"), "");
    readout.followSound(300);
    EXPECT_EQ(panel.announced.size(), 2u) << "the sound speaks while it plays";
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

TEST_F(ReadoutTest, WhereNothingIsDrawnTheKeysReadNoTrace) {
    struct Case {
        std::int32_t NP, N;
        std::optional<TraceStop> stop;
        Trace trace;
        int tenths;  // the cursor's column, in tenths of the width
        bool drawn;
    };
    for (const Case c : {Case{0, 1000, {}, Trace::Vc, 3, false}, Case{5, 0, {}, Trace::Vo, 3, false},
                         Case{5, 1, {}, Trace::Vc, 3, false}, Case{5, 1, {}, Trace::Vo, 3, true},
                         Case{5, 2, {}, Trace::Vc, 3, true}, Case{5, 1000, TraceStop{Trace::Vc, 1}, Trace::Vc, 0, false},
                         Case{5, 1000, TraceStop{Trace::Vc, 2}, Trace::Vc, 0, true},
                         Case{5, 1000, TraceStop{Trace::Vc, 2}, Trace::Vc, 3, false},
                         Case{5, 1000, TraceStop{Trace::Vc, 500}, Trace::Vo, 0, false},
                         Case{1, 1000, {}, Trace::Vc, 3, true}}) {
        Plotted plot(kIdeal, c.stop);
        plot.request.NP = plot.scale.NP = c.NP;
        plot.request.N = c.N;  // none sampled: a plot stopped before its traces
        plot.show(readout);
        readout.press(c.trace == Trace::Vc ? ReadoutKey::UpperTrace : ReadoutKey::LowerTrace);
        readout.press(ReadoutKey::FirstColumn);
        for (int i = 0; i < c.tenths; ++i) readout.press(ReadoutKey::TenthRight);
        EXPECT_EQ(panel.announced.back().ends_with("nessuna traccia"), !c.drawn) << c.NP << " " << c.N;
    }
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
    for (const auto& [NP, N, drawn] : {std::tuple{0, 1000, false}, std::tuple{5, 0, false}, std::tuple{5, 1, true}}) {
        Plotted plot(kIdeal);
        plot.request.NP = plot.scale.NP = NP;
        plot.request.N = N;
        EXPECT_EQ(DescribePlot(plot.scale, &plot.request, ".").ends_with("alto."), drawn) << NP << " " << N;
    }
}

TEST_F(ReadoutTest, ThePanelDescribesEachPlotAndTheDesignedPictureOnceCleared) {
    EXPECT_TRUE(panel.description.starts_with("Forme d'onda a regime su 5 periodi"));
    readout.erase();
    EXPECT_TRUE(panel.description.ends_with("Nessuna traccia disegnata.")) << "erased, the labels still on screen";
    readout.pointerAt(300, 100);
    EXPECT_EQ(panel.toolTip, "t = 46,268 usec\" ; vc(t) = 4,44V") << "the pointer reads the plot of those labels";
    ideal.show(readout);
    readout.setScale(ideal.scale);
    EXPECT_TRUE(panel.description.ends_with("Nessuna traccia disegnata.")) << "a new plot, its traces not yet drawn";
    readout.clear();
    EXPECT_EQ(panel.description, FindControl(form2::kForm, form2::Picture1)->accessible.description);
}

// The frequency of a stretch of pure tone, from its zero crossings.
double Frequency(const std::vector<float>& pcm, std::size_t from, std::size_t to, int rate) {
    int crossings = 0;
    for (std::size_t i = from + 1; i < to; ++i) crossings += (pcm[i - 1] < 0) != (pcm[i] < 0);
    return crossings / 2.0 / (double(to - from) / rate);
}

float Loudest(const std::vector<float>& pcm, std::size_t from, std::size_t to) {
    float peak = 0;
    for (std::size_t i = from; i < to; ++i) peak = std::max(peak, std::abs(pcm[i]));
    return peak;
}

double Mean(const std::vector<float>& pcm, std::size_t from, std::size_t to) {
    double sum = 0;
    for (std::size_t i = from; i < to; ++i) sum += pcm[i];
    return sum / double(to - from);
}

TEST(SoundOf, PitchRisesLogarithmicallyWithTheHeightSilentWithoutATrace) {
    std::vector<SoundColumn> columns(300);
    for (std::size_t i = 0; i < columns.size(); ++i) columns[i].height = i < 100 ? 0 : i < 200 ? 0.5 : 1;
    columns[150].height.reset();
    const int rate = 48000;  // 480 samples a column
    const AudioTrace sound = SoundOf(columns, 7, 0.01, rate);
    EXPECT_EQ(sound.firstColumn, 7);
    EXPECT_EQ(sound.sampleRate, rate);
    ASSERT_EQ(sound.pcm.size(), 3u * rate);
    EXPECT_NEAR(Frequency(sound.pcm, 0, 99 * 480, rate), 200, 1);
    EXPECT_NEAR(Frequency(sound.pcm, 151 * 480, 199 * 480, rate), 200 * std::sqrt(8.0), 1.5);
    EXPECT_NEAR(Frequency(sound.pcm, 200 * 480, 298 * 480, rate), 1600, 2);
    for (const auto& [from, to] : {std::pair{2, 99}, std::pair{151, 199}, std::pair{201, 298}}) {
        EXPECT_NEAR(Loudest(sound.pcm, from * 480, to * 480), 0.3, 0.005);
        EXPECT_NEAR(Mean(sound.pcm, from * 480, to * 480), 0, 0.005) << "a sine, whole periods of it";
    }
    EXPECT_EQ(Loudest(sound.pcm, 150 * 480, 151 * 480), 0) << "no trace, no sound";
    // Faded in and out over 5 ms: no crack at either end.
    for (std::size_t i = 0; i < 240; ++i) {
        ASSERT_LE(std::abs(sound.pcm[i]), 0.3 * i / 240 + 1E-6);
        ASSERT_LE(std::abs(sound.pcm[sound.pcm.size() - 1 - i]), 0.3 * i / 240 + 1E-6);
    }
    EXPECT_GT(Loudest(sound.pcm, 240, 480), 0.25F);
    for (const auto& [rate, seconds] : {std::pair{0, 0.01}, std::pair{-1, 0.01}, std::pair{8000, 0.0}}) {
        EXPECT_TRUE(SoundOf(columns, 0, seconds, rate).pcm.empty());
    }
}

TEST(SoundOf, AClickDyingAwayIn4MillisecondsStartsEachSwitchingColumn) {
    std::vector<SoundColumn> columns(40, SoundColumn{0.5, false});
    const int rate = 10000;  // 100 samples a column
    const AudioTrace plain = SoundOf(columns, 0, 0.01, rate);
    columns[0].switches = columns[10].switches = columns[11].switches = true;
    const AudioTrace clicked = SoundOf(columns, 0, 0.01, rate);
    for (std::size_t i = 0; i < plain.pcm.size(); ++i) {
        const std::size_t column = i / 100, within = i % 100;
        const bool clicking = columns[column].switches && within < 40;
        const double click = clicking ? (within % 2 == 0 ? 0.6 : -0.6) * (1 - within / 40.0) : 0;
        ASSERT_NEAR(clicked.pcm[i] - plain.pcm[i], click, 1E-6) << i;
    }
}

// A trace of one level throughout sounds one pitch, by its height in its half.
TEST_F(ReadoutTest, TheSoundOfEachTraceHasThePitchOfItsHeightInItsHalf) {
    auto samples = std::make_shared<testing::BufferSamples>();
    samples->vc.assign(1002, 4.0);  // y 72.5: 0.45 of the upper half
    samples->vo.assign(1002, 6.0);  // y 22.5: 0.45 of the lower half
    readout.setTraces({samples, 1000, 5, 8, 12, std::nullopt});
    readout.setScale({0, 18, 5, 8, 12, 4});  // never switching in between: a click only at each period's end
    readout.setTraces({samples, 1000, 5, 8, 12, std::nullopt});
    const int rate = 44100;
    for (const ReadoutKey trace : {ReadoutKey::UpperTrace, ReadoutKey::LowerTrace}) {
        readout.press(trace);
        readout.press(ReadoutKey::FirstColumn);
        readout.press(ReadoutKey::ColumnRight);
        const AudioTrace sound = readout.sound(rate);
        EXPECT_EQ(sound.firstColumn, 1);
        EXPECT_DOUBLE_EQ(sound.secondsPerColumn, 3.0 / kWidth);
        ASSERT_EQ(sound.pcm.size(), std::size_t(std::llround(600 * 3.0 / kWidth * rate)));
        const std::size_t perColumn = rate * 3 / kWidth;
        EXPECT_NEAR(Frequency(sound.pcm, 2 * perColumn, 100 * perColumn, rate), 200 * std::pow(8, 0.45), 2);
    }
}

TEST_F(ReadoutTest, TheSoundStartsAtTheCursorAndClicksAtEverySwitchingColumn) {
    readout.press(ReadoutKey::LowerTrace);
    std::set<std::int64_t> switches;
    for (int i = 0; i < 10; ++i) {
        readout.press(ReadoutKey::NextSwitch);
        switches.insert(readout.cursorColumn());
    }
    readout.press(ReadoutKey::FirstColumn);
    readout.press(ReadoutKey::NextSwitch);
    EXPECT_GT(Loudest(readout.sound(8000).pcm, 0, 3), 0.5F) << "starting on a switch, with its click";
    readout.press(ReadoutKey::ColumnLeft);
    const std::int64_t first = readout.cursorColumn();
    const int rate = 8000;
    const AudioTrace sound = readout.sound(rate);
    EXPECT_EQ(sound.firstColumn, first);
    std::set<std::int64_t> clicked;
    for (std::int64_t column = first; column < kWidth; ++column) {
        const auto from = std::size_t(std::llround(double(column - first) * 3.0 / kWidth * rate));
        if (Loudest(sound.pcm, from, from + 3) > 0.5F) clicked.insert(column);
    }
    EXPECT_EQ(clicked, switches);
}

}  // namespace
}  // namespace ostrevo
