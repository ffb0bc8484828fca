// The plot's pieces without Qt: the canvas's pixels, the readout, the axes
// and where the traces stop.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "axes.h"
#include "circuit_examples.h"
#include "cursor_readout.h"
#include "fault.h"
#include "plot_canvas.h"
#include "plot_mapping.h"
#include "trace_stop.h"

namespace ostrevo {
namespace {

// The rows of a 7 x 5 canvas after drawing one segment with 'x', read from a
// raster one pixel wider, whose last column must stay '#', and one row taller,
// which must stay untouched.
std::vector<std::string> Drawn(DevicePixel from, DevicePixel to) {
    std::vector<std::uint32_t> pixels(8 * 6, '#');
    PlotCanvas canvas(pixels.data(), 7, 5, 8);
    canvas.fill('.');
    canvas.drawSegment(from, to, 'x');
    std::vector<std::string> rows;
    for (auto row = pixels.begin(); row != pixels.end(); row += 8) rows.emplace_back(row, row + 8);
    EXPECT_EQ(rows.back(), "########");
    rows.pop_back();
    return rows;
}

TEST(PlotCanvas, SegmentsCoverTheLineBetweenTheirEndsInEitherDirectionClipped) {
    constexpr std::int64_t kFar = std::int64_t{1} << 40;
    const struct { DevicePixel from, to; std::vector<std::string> picture; } cases[] = {
        {{0, 0}, {6, 2}, {"xx.....#", "..xxx..#", ".....xx#", ".......#", ".......#"}},
        {{1, 0}, {2, 4}, {".x.....#", ".x.....#", "..x....#", "..x....#", "..x....#"}},
        {{0, 4}, {3, 3}, {".......#", ".......#", ".......#", "..xx...#", "xx.....#"}},
        {{-3, 0}, {9, 4}, {".......#", "xx.....#", "..xxx..#", ".....xx#", ".......#"}},
        {{0, -2}, {0, 9}, {"x......#", "x......#", "x......#", "x......#", "x......#"}},
        {{-kFar, 2}, {kFar, 2}, {".......#", ".......#", "xxxxxxx#", ".......#", ".......#"}},
        // half way, 2^39 pixels from either end, exactly at y = 2.5: upwards
        {{-kFar / 2, 2}, {kFar / 2 + 6, 3}, {".......#", ".......#", "xxx....#", "...xxxx#", ".......#"}},
        {{7, 0}, {7, 4}, {".......#", ".......#", ".......#", ".......#", ".......#"}},
        {{0, -1}, {6, -kFar}, {".......#", ".......#", ".......#", ".......#", ".......#"}},
        {{3, 2}, {3, 2}, {".......#", ".......#", "...x...#", ".......#", ".......#"}},
        {{5, 0}, {8, 4}, {".....x.#", "......x#", ".......#", ".......#", ".......#"}},  // out at the right edge
        {{0, 2}, {6, 6}, {".......#", ".......#", "x......#", ".xx....#", "...x...#"}},  // out at the bottom edge
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Drawn(c.from, c.to), c.picture);
        EXPECT_EQ(Drawn(c.to, c.from), c.picture);
    }
}

TEST(PlotCanvas, SegmentsFromTwoToTheFortyPixelsAwayCrossOnTheirExactLines) {
    constexpr std::int64_t kFar = std::int64_t{1} << 40;
    std::vector<std::uint32_t> pixels(201 * 128, 0);
    PlotCanvas canvas(pixels.data(), 201, 128, 201);
    canvas.drawSegment({-kFar, -kFar / 2}, {200, 100}, 1);     // y = x / 2, halves upwards
    canvas.drawSegment({-kFar, kFar / 2 + 100}, {200, 0}, 2);  // y = 100 - x / 2
    for (int x = 0; x <= 200; ++x) EXPECT_EQ(canvas.pixel(x, 100 - x / 2), 2U) << x;
    for (int x = 0; x <= 200; x += x == 99 ? 2 : 1) EXPECT_EQ(canvas.pixel(x, (x + 1) / 2), 1U) << x;  // 100: both
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0U), 201 * 128 - 401);
}

// A browser's canvas takes the bytes red, green, blue, alpha.
TEST(PlotCanvas, StoresColoursInItsLayout) {
    std::uint32_t pixels[2] = {};
    PlotCanvas canvas(pixels, 2, 1, 2, PixelLayout::RgbaBytes);
    canvas.fill(0xFF102030);
    canvas.drawSegment({1, 0}, {1, 0}, 0x80A0B0C0);
    std::array<std::uint8_t, 8> bytes{};
    std::memcpy(bytes.data(), pixels, sizeof pixels);
    const std::array<std::uint8_t, 8> rgba = {0x10, 0x20, 0x30, 0xFF, 0xA0, 0xB0, 0xC0, 0x80};
    if constexpr (std::endian::native == std::endian::little) {
        EXPECT_EQ(bytes, rgba);
    }
    PlotCanvas(pixels, 2, 1, 2).fill(0xFF102030);
    EXPECT_EQ(pixels[0], 0xFF102030U);
}

TEST(PlotCanvas, MapsUserCoordinatesToTheNearestPixelAndBack) {
    std::uint32_t pixel = 0;
    const PlotCanvas canvas(&pixel, 11, 21, 11);
    const struct { float x, y; DevicePixel device; } cases[] = {
        {0, 100, {0, 0}},     {100, 0, {10, 20}},    {5, 97.5F, {1, 1}},      {4.9F, 97.6F, {0, 0}},
        {-5, 102.5F, {0, 0}}, {-5.1F, 103, {-1, -1}}, {1E30F, -1E30F, {std::int64_t{1} << 40, std::int64_t{1} << 40}},
        {NAN, NAN, {-(std::int64_t{1} << 40), -(std::int64_t{1} << 40)}},
    };
    for (const auto& c : cases) EXPECT_EQ(canvas.toDevice({c.x, c.y}), c.device) << c.x << ", " << c.y;
    EXPECT_EQ(canvas.toUserX(2.5), 25);
    EXPECT_EQ(canvas.toUserY(5), 75);
    const PlotCanvas line(&pixel, 1, 2, 1);  // one pixel wide: no division by zero
    EXPECT_EQ(line.toUserX(1), 100);
    EXPECT_EQ(line.toUserY(1), 0);
}

TEST(TraceAt, UpperHalfIsVcLowerHalfVoBelowThePlotNoChoice) {
    const std::vector<std::optional<Trace>> expected{Trace::Vc, Trace::Vc, Trace::Vo, Trace::Vo, std::nullopt};
    EXPECT_EQ((std::vector{TraceAt(95), TraceAt(50), TraceAt(49.99F), TraceAt(0), TraceAt(-0.01F)}), expected);
}

// The times of the ideal example: ts = 4.7 ln 2, tc = 22 ln 2, NP = 5.
const PlotScale kIdealPlot{4.7 * std::log(2.0), 22 * std::log(2.0), 5, 8, 12};

TEST(ReadOut, InvertsThePlotMapping) {
    const struct {
        Trace trace;
        PlotScale scale;
        float x, y;
        const char *separator, *time, *voltage, *toolTip;
    } cases[] = {
        {Trace::Vc, kIdealPlot, 50, 95, ".", "46.268", "8.00", "t = 46.268 usec\" ; vc(t) = 8.00V"},
        {Trace::Vo, kIdealPlot, 50, 45, ",", "46,268", "12,00", "t = 46,268 usec\" ; vo(t) = 12,00V"},
        {Trace::Vc, kIdealPlot, 0, 50, ".", "0.000", "0.00", "t = 0.000 usec\" ; vc(t) = 0.00V"},
        {Trace::Vo, kIdealPlot, 100, 0, ".", "92.535", "0.00", "t = 92.535 usec\" ; vo(t) = 0.00V"},
        {Trace::Vo, kIdealPlot, 25, -7.5F, ".", "23.134", "-2.00", "t = 23.134 usec\" ; vo(t) = -2.00V"},
        {Trace::Vc, {1E308, 1E308, 5, 1.7E308, 12}, 50, 100, ".", "fuori scala", "fuori scala", "t = fuori scala usec\" ; vc(t) = fuori scalaV"},
    };
    for (const auto& c : cases) {
        const Readout r = ReadOut(c.trace, c.scale, c.x, c.y, c.separator);
        EXPECT_EQ((std::vector<std::string>{r.time, r.voltage, r.toolTip}),
                  (std::vector<std::string>{c.time, c.voltage, c.toolTip}));
    }
}

TEST(DrawAxes, TicksAtEveryFifthOfTheVoltageAndQuarterOfTheTimeAndTheZeroLines) {
    struct Line {
        float x0, y0, x1, y1;
        std::optional<Rgb> colour;
        bool operator==(const Line&) const = default;
    };
    struct : testing::FakePlotWindow {
        std::vector<Line> lines;
        void drawLine(PlotPoint a, PlotPoint b, std::optional<Rgb> colour) override {
            lines.push_back({a.x, a.y, b.x, b.y, colour});
        }
    } plot;
    DrawAxes(plot);
    std::vector<Line> expected;
    for (const float y : {100, 95, 90, 85, 80, 75, 70, 65, 60, 55, 50, 45, 40, 35, 30, 25, 20, 15, 10, 5}) {
        expected.push_back({0, y, 0.2F, y, std::nullopt});
    }
    for (const float x : {0, 25, 50, 75, 100}) expected.push_back({x, 0, x, 0.5F, std::nullopt});
    expected.push_back({0, 50, 100, 50, Rgb{255, 0, 0}});
    expected.push_back({0, 0.1F, 100, 0.1F, Rgb{0, 0, 255}});
    EXPECT_TRUE(plot.lines == expected);
}

// Each label LabelAxes places: "name text left top".
std::vector<std::string> PlacedLabels(const PlotScale& scale, const char* separator) {
    struct : testing::FakePlotWindow {
        std::vector<std::string> labels;
        void placeLabel(ControlName name, const std::string& text, float left, float top) override {
            std::ostringstream label;
            label << name.text() << ' ' << text << ' ' << left << ' ' << top;
            labels.push_back(label.str());
        }
    } plot;
    LabelAxes(plot, scale, separator);
    return plot.labels;
}

// The texts of the time labels Label1, Label2, Label3.
std::vector<std::string> TimeLabels(const PlotScale& scale, const char* separator) {
    // Ranges' views are not in every standard library the tests run with (emscripten's).
    const std::vector<std::string> placed = PlacedLabels(scale, separator);
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < std::min<std::size_t>(3, placed.size()); ++i) {
        texts.push_back(placed[i].substr(7, placed[i].find(' ', 7) - 7));
    }
    return texts;
}

TEST(LabelAxes, TimesBelowAndVoltageCaptionsOnTheLeftAtTheirLevels) {
    EXPECT_EQ(PlacedLabels(kIdealPlot, "."),
              (std::vector<std::string>{"Label1 4.63E+01 49 3", "Label2 2.31E+01 24 3", "Label3 6.94E+01 74 3",
                                        "Label6 vc(t)[V] 15 99.5", "Label7 v+ 15 97", "Label8 v- 15 75",
                                        "Label12 0 15 52", "Label11 vo(t) 15 50", "Label13 Vcc 15 48",
                                        "Label4 0 15 2"}));
}

TEST(LabelAxes, TimesAtTheQuartersUpToTheLargestDouble) {
    EXPECT_EQ(TimeLabels(kIdealPlot, ","), (std::vector<std::string>{"4,63E+01", "2,31E+01", "6,94E+01"}));
    EXPECT_EQ(TimeLabels({5E307, 0, 1, 8, 12}, "."), (std::vector<std::string>{"2.50E+307", "1.25E+307", "3.75E+307"}));
    // The whole axis, or three quarters of it, beyond the largest double.
    for (const PlotScale& overflowing : {PlotScale{1E308, 0, 2, 8, 12}, PlotScale{DBL_MAX, 0, 1, 8, 12}}) {
        EXPECT_THROW(TimeLabels(overflowing, "."), Fault);
    }
}

// The stop of samples 0..N, handed over in blocks of `length` (samples of any
// shape in blocks of one; a longer block is searched once an end has no y).
std::optional<TraceStop> StopOf(std::span<const double> vc, std::span<const double> vo, std::int32_t N,
                                std::int32_t NP, double VPlus, double Vcc, std::size_t length = 1) {
    TraceStopFinder finder(N, VPlus, Vcc);
    for (std::size_t k = 0; k <= static_cast<std::size_t>(N); k += length) {
        const std::size_t size = std::min(length, static_cast<std::size_t>(N) + 1 - k);
        finder.take({static_cast<std::int64_t>(k), vc.subspan(k, size), vo.subspan(k, size)});
    }
    return finder.found().stop(NP);
}

TEST(TraceStopFinder, FirstSegmentThatReachesAnUndrawableSample) {
    const char* kZeroVPlus = "la tensione di soglia superiore v+ è zero (divisione per zero)";
    const char* kZeroVcc = "la tensione di alimentazione Vcc è zero (divisione per zero)";
    const char* kOffScale =
        "un campione è fuori dalla scala del grafico (il risultato supera il massimo numero rappresentabile)";
    // The ideal example with N = 10, one sample set to `value`, drawn with N, NP, v+ and Vcc.
    const struct {
        const char* what;
        bool vc;  // the changed sample is one of vc, else of vo
        std::size_t index;
        double value;
        std::int32_t N, NP;
        double VPlus, Vcc;
        std::optional<TraceStop> stop;
        const char* reason;  // of the message, when it stops
    } cases[] = {
        {"all drawable", true, 5, 1, 10, 5, 8, 12, std::nullopt, ""},
        {"vc NaN at sample 1", true, 1, NAN, 10, 1, 8, 12, TraceStop{Trace::Vc, 1}, kOffScale},
        {"vc infinite at sample 10", true, 10, -INFINITY, 10, 5, 8, 12, TraceStop{Trace::Vc, 9}, kOffScale},
        {"vc of one sample draws no segment", true, 1, NAN, 1, 5, 8, 12, std::nullopt, ""},
        {"vc of two samples draws one", true, 2, NAN, 2, 5, 8, 12, TraceStop{Trace::Vc, 1}, kOffScale},
        {"vo NaN at sample 10", false, 10, NAN, 10, 5, 8, 12, TraceStop{Trace::Vo, 9}, kOffScale},
        {"vo NaN at sample 0, not drawn", false, 0, NAN, 10, 5, 8, 12, std::nullopt, ""},
        {"vo above single precision", false, 4, 1E39, 10, 5, 8, 45, TraceStop{Trace::Vo, 3}, kOffScale},
        {"vo just within it", false, 4, 3E38, 10, 5, 8, 45, std::nullopt, ""},
        {"vc overflows", true, 3, 1E308, 10, 5, 1E-10, 12, TraceStop{Trace::Vc, 2}, kOffScale},
        {"v+ zero", true, 0, 0, 10, 5, 0, 12, TraceStop{Trace::Vc, 1}, kZeroVPlus},
        {"Vcc zero", true, 0, 0, 10, 5, 8, 0, TraceStop{Trace::Vo, 1}, kZeroVcc},
        {"Vcc zero, vo of one sample", true, 0, 0, 1, 5, 8, 0, TraceStop{Trace::Vo, 1}, kZeroVcc},
        {"Vcc zero, no sample drawn", true, 0, 0, 0, 5, 8, 0, std::nullopt, ""},
        {"no period", true, 3, NAN, 10, 0, 8, 12, std::nullopt, ""},
    };
    testing::SampledPeriod period = testing::SamplePeriod({12, 22, 4.7, 0, 0, 0, 1, 8, 4, 0, 5, 10});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<double> vc = period.vc, vo = period.vo;
        (c.vc ? vc : vo)[c.index] = c.value;
        TraceRequest request{nullptr, c.N, c.NP, c.VPlus, c.Vcc, StopOf(vc, vo, c.N, c.NP, c.VPlus, c.Vcc)};
        EXPECT_EQ(request.stop, c.stop);
        if (!request.stop) continue;
        const std::string trace = request.stop->trace == Trace::Vc ? "vc(t)" : "vo(t)";
        EXPECT_EQ(CannotDrawWhole(request).what(), "Impossibile disegnare " + trace + ": " + c.reason + ".");
    }
    // A y of exactly the largest float is drawn: the stop comes after it.
    std::vector<double> vo = period.vo;
    vo[4] = FLT_MAX, vo[6] = NAN;
    EXPECT_EQ(StopOf(period.vc, vo, 10, 5, 8, 45), (TraceStop{Trace::Vo, 5}));
    vo[6] = 0, vo[10] = NAN;
    EXPECT_EQ(StopOf(period.vc, vo, 10, 5, 8, 45, 11), (TraceStop{Trace::Vo, 9}));
}

}  // namespace
}  // namespace ostrevo
