// The plot's exports: every CSV row against the samples, the rows' count and
// flat memory at any N, and the SVG's size and texts.
#include <gtest/gtest.h>

#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
#define OSTREVO_MEASURES_MEMORY
#include <sys/resource.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "circuit_examples.h"
#include "plot_svg.h"
#include "samples_csv.h"
#include "waveform_form.h"

namespace ostrevo {
namespace {

//                                    Vcc  Rc  Rs   RoH    RoL    Ci     C  v+   v-    Vd   NP N
constexpr CircuitParameters kReal{12, 22, 4.7, 0.195, 0.075, 0.005, 1, 6.7, 5.33, 0.6, 5, 1000};

testing::SampledPeriod Sampled(std::int32_t N, bool keep = true) {
    CircuitParameters p = kReal;
    p.N = N;
    return testing::SamplePeriod(p, keep);
}

std::vector<std::string> Split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(separator, from)) != std::string_view::npos; from = at + 1) {
        parts.emplace_back(text.substr(from, at - from));
    }
    parts.emplace_back(text.substr(from));
    return parts;
}

double Read(std::string text, std::string_view decimalSeparator) {
    EXPECT_EQ(text.find(decimalSeparator == "." ? ',' : '.'), std::string::npos) << text;
    std::replace(text.begin(), text.end(), decimalSeparator.front(), '.');
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    EXPECT_EQ(end, text.c_str() + text.size()) << text;
    return value;
}

std::string WholeCsv(const SamplesCsv& csv) {
    std::string text;
    EXPECT_TRUE(csv.write([&](std::string_view piece) { text += piece; return true; }));
    return text;
}

TEST(SamplesCsv, EveryRowIsASampleReadBackToTheLastBitUnderEitherSeparator) {
    const testing::SampledPeriod period = Sampled(300);
    struct Case { const char* decimal; char field; };
    for (const Case c : {Case{".", ','}, Case{",", ';'}}) {
        const std::string text = WholeCsv(SamplesCsv(period.request(), c.decimal));
        const std::vector<std::string> lines = Split(text, '\n');
        ASSERT_EQ(lines.size(), 300u + 3u);  // header, N + 1 rows, the empty rest after the last newline
        EXPECT_EQ(Split(lines.front(), c.field), (std::vector<std::string>{"k", "t [usec]", "vc [V]", "vo [V]"}));
        EXPECT_EQ(lines.back(), "");
        for (std::int64_t k = 0; k <= 300; ++k) {
            const std::vector<std::string> fields = Split(lines[k + 1], c.field);
            ASSERT_EQ(fields.size(), 4u) << lines[k + 1];
            EXPECT_EQ(fields[0], std::to_string(k));
            EXPECT_EQ(Read(fields[1], c.decimal), static_cast<double>(k) * period.step);
            EXPECT_EQ(Read(fields[2], c.decimal), period.vc[k]) << k;
            EXPECT_EQ(Read(fields[3], c.decimal), period.vo[k]) << k;
            // The shortest text: one digit less would not read back.
            EXPECT_LE(fields[2].size(), 24u);
        }
    }
}

TEST(SamplesCsv, StopsAtTheLastSampleDrawnAndWhenTheSinkRefuses) {
    const testing::SampledPeriod period = Sampled(300);
    for (const Trace trace : {Trace::Vc, Trace::Vo}) {
        TraceRequest request = period.request();
        request.stop = TraceStop{trace, 41};
        EXPECT_EQ(SamplesCsv(request, ".").rowCount(), 42);
        EXPECT_EQ(Split(WholeCsv(SamplesCsv(request, ".")), '\n').size(), 42u + 2u);
    }
    // Pieces of 64 KiB, each cut at the end of a row.
    std::vector<std::string> pieces;
    EXPECT_FALSE(SamplesCsv(Sampled(100000).request(), ".").write([&](std::string_view piece) {
        if (!piece.starts_with('k')) pieces.emplace_back(piece);
        return pieces.size() < 2;
    }));
    ASSERT_EQ(pieces.size(), 2u);
    for (const std::string& piece : pieces) {
        EXPECT_TRUE(piece.size() >= 1u << 16 && piece.size() < (1u << 16) + 100 && piece.ends_with('\n')) << piece.size();
    }
    // The second goes on from the row after the first's last.
    EXPECT_TRUE(pieces[1].starts_with(std::to_string(std::count(pieces[0].begin(), pieces[0].end(), '\n')) + ","));
    // Rows of a part of the period, as the page asks for them, the last part cut at the last row.
    struct Part { std::int64_t first, count; std::size_t rows; };
    for (const Part part : {Part{299, 5, 2}, Part{300, 1, 1}, Part{301, 5, 0}}) {
        std::string text;
        EXPECT_TRUE(SamplesCsv(period.request(), ".").writeRows(part.first, part.count, [&](std::string_view piece) {
            text += piece;
            return true;
        }));
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), static_cast<std::ptrdiff_t>(part.rows)) << part.first;
        if (part.rows > 0) {
            EXPECT_EQ(text.substr(0, 4), std::to_string(part.first) + ",");
        }
    }
}

#ifdef OSTREVO_MEASURES_MEMORY
long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

TEST(SamplesCsv, HundredMillionSamplesStreamInPiecesWithoutGrowingMemory) {
    const testing::SampledPeriod period = Sampled(100'000'000, false);
    const SamplesCsv csv(period.request(), ",");
    const long before = PeakKilobytes();
    std::int64_t newlines = 0;
    std::size_t largestPiece = 0;
    std::uint64_t bytes = 0;
    EXPECT_TRUE(csv.write([&](std::string_view piece) {
        newlines += std::count(piece.begin(), piece.end(), '\n');
        largestPiece = std::max(largestPiece, piece.size());
        bytes += piece.size();
        return true;
    }));
    EXPECT_EQ(newlines, 100'000'001 + 1);
    EXPECT_LT(largestPiece, 70'000u);
    EXPECT_LT(PeakKilobytes() - before, 8 * 1024);
    std::cout << "CSV of N 1e8: " << bytes << " bytes\n";
}
#endif

class RecordingWindow : public PlotWindow {
public:
    PlotRecord record;
    void ensureCreated() override {}
    void show() override {}
    void erasePlot() override { record.erasePicture(); }
    void drawLine(PlotPoint from, PlotPoint to, std::optional<Rgb> colour) override { record.addLine(from, to, colour); }
    void placeLabel(ControlName control, const std::string& text, float left, float top) override {
        record.placeLabel(control, text, left, top);
    }
    void drawTraces(const TraceRequest& request) override { record.setTraces(request); }
    void rememberPlot(const PlotScale&) override {}
};

// The design's block: Picture3 and Picture1, at the device pixel ratio 1.
constexpr PlotBlockLayout kDesigned{.width = 997, .height = 637, .strip = {0, 8, 71, 621}, .plot = {74, 2, 921, 633},
                                    .plotBorder = 2, .rasterWidth = 921, .rasterHeight = 633,
                                    .ground = {240, 240, 240}, .stripText = {0, 0, 0}};

std::size_t Count(const std::string& text, std::string_view what) {
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return count;
}

// The points of every polyline, in the order written.
std::vector<std::pair<double, double>> PolylinePoints(const std::string& svg) {
    std::vector<std::pair<double, double>> points;
    for (std::size_t at = svg.find("points=\""); at != std::string::npos; at = svg.find("points=\"", at + 1)) {
        const std::size_t end = svg.find('"', at + 8);
        for (const std::string& pair : Split(svg.substr(at + 8, end - at - 8), ' ')) {
            const std::vector<std::string> xy = Split(pair, ',');
            points.emplace_back(Read(xy.at(0), "."), Read(xy.at(1), "."));
        }
    }
    return points;
}

TEST(PlotSvg, EachTraceOfAPeriodIsOnePolylineAndWhatLeavesThePlotIsCutAtItsEdge) {
    // Thresholds swapped: vc leaves the plot, each stroke that crosses its edge a polyline of its own.
    struct Case { CircuitParameters p; std::size_t polylines; };
    for (const Case& c : {Case{kReal, 2 * 5}, Case{{12, 22, 4.7, 0, 0, 0, 1, 4, 8, 0, 5, 1000}, 2 * 921}}) {
        PlotRecord record;
        record.setTraces(testing::SamplePeriod(c.p, false).request());
        const std::string svg = PlotSvg(record, kDesigned);
        EXPECT_NE(svg.find("<title>Grafico delle forme d&apos;onda</title>"), std::string::npos);
        EXPECT_LE(Count(svg, "<polyline"), c.polylines);
        const auto points = PolylinePoints(svg);
        EXPECT_LE(points.size(), 2u * 4u * 921u);
        for (const auto& [x, y] : points) ASSERT_TRUE(x >= -0.5 && x <= 921.5 && y >= -0.5 && y <= 633.5) << x << "," << y;
    }
}

// Each polyline as its stroke and points, in the order written.
std::vector<std::string> PolylinesOf(const std::string& svg) {
    std::vector<std::string> polylines;
    for (std::size_t at = svg.find("<polyline stroke=\""); at != std::string::npos; at = svg.find("<polyline", at + 1)) {
        const std::vector<std::string> parts = Split(svg.substr(at), '"');
        EXPECT_TRUE(parts.at(4).starts_with("/>\n"));
        polylines.push_back(parts.at(1) + parts.at(3));
    }
    return polylines;
}

TEST(PlotSvg, StrokesJoinWhereTheLineGoesOnAndAreCutOneBeyondTheRaster) {
    // A raster of 101 x 101: user x is the column, 100 - user y the row.
    constexpr PlotBlockLayout kSquare{.width = 111, .height = 111, .strip = {0, 0, 0, 0}, .plot = {5, 5, 101, 101},
                                      .plotBorder = 2, .rasterWidth = 101, .rasterHeight = 101};
    constexpr Rgb kBlue{0x12, 0xab, 0xef};
    struct Line { float x0, y0, x1, y1; std::optional<Rgb> colour; };
    struct Case { std::vector<Line> lines; std::vector<std::string> polylines; };
    const Case cases[]{
        // Along, up its column and on: one line; another colour starts another.
        {{{0, 100, 10, 100, kBlue}, {10, 100, 10, 95, kBlue}, {10, 95, 20, 95, kBlue}, {20, 95, 30, 95, {}}},
         {"#12abef0.5,0.5 10.5,0.5 10.5,5.5 20.5,5.5", "#00000020.5,5.5 30.5,5.5"}},
        // A stroke away from where the line has been in its column, and a dot.
        {{{0, 50, 10, 50, kBlue}, {10, 40, 20, 40, kBlue}, {7, 7, 7, 7, kBlue}},
         {"#12abef0.5,50.5 10.5,50.5", "#12abef10.5,60.5 20.5,60.5", "#12abef7.5,93.5 7.5,93.5"}},
        // Vertical runs: outside the columns dropped, beyond the rows cut one row off.
        {{{-1, 0, -1, 100, kBlue}, {101, 0, 101, 100, kBlue}, {0, 10, 0, 20, kBlue}, {100, -50, 100, 150, kBlue}},
         {"#12abef0.5,90.5 0.5,80.5 0.5,90.5 0.5,80.5", "#12abef100.5,101.5 100.5,-0.5 100.5,101.5 100.5,-0.5"}},
        // Strokes that turn back one pixel off each edge go on as one line.
        {{{5, 50, -1, 50, kBlue}, {-1, 50, 5, 60, kBlue}, {95, 50, 101, 50, kBlue}, {101, 50, 95, 60, kBlue},
          {50, 95, 60, 101, kBlue}, {60, 101, 70, 95, kBlue}, {50, 5, 60, -1, kBlue}, {60, -1, 70, 5, kBlue}},
         {"#12abef5.5,50.5 -0.5,50.5 5.5,40.5", "#12abef95.5,50.5 101.5,50.5 95.5,40.5",
          "#12abef50.5,5.5 60.5,-0.5 70.5,5.5", "#12abef50.5,95.5 60.5,101.5 70.5,95.5"}},
        // From far off: the part from one pixel around the raster, a dot where it touches; one pixel off is kept whole.
        {{{-100, 50, 50, 50, kBlue}, {50, 30, 250, 30, kBlue}, {-1, 20, 101, 20, kBlue}, {-300, 200, -200, 300, kBlue},
          {-99, 0, 101, 100, kBlue}, {-2, 100, 0, 102, kBlue}},
         {"#12abef-0.5,50.5 50.5,50.5", "#12abef50.5,70.5 101.5,70.5", "#12abef-0.5,80.5 101.5,80.5",
          "#12abef-0.5,51.5 101.5,0.5", "#12abef-0.5,-0.5 -0.5,-0.5"}},
    };
    for (const Case& c : cases) {
        RecordingWindow window;
        for (const Line& line : c.lines) window.drawLine({line.x0, line.y0}, {line.x1, line.y1}, line.colour);
        EXPECT_EQ(PolylinesOf(PlotSvg(window.record, kSquare)), c.polylines);
    }
    // At two raster pixels to the layout's one: the frame, a sunken border of 4 and the labels, a placed one at its point.
    PlotBlockLayout doubled = kSquare;
    doubled.rasterWidth = doubled.rasterHeight = 202;
    doubled.plotBorder = 4;
    doubled.ground = {1, 2, 3};
    doubled.stripText = {4, 5, 6};
    RecordingWindow window;
    window.placeLabel(form2::Label1, "x", 50, 50);
    const std::string svg = PlotSvg(window.record, doubled);
    EXPECT_NE(svg.find(R"svg(width="111" height="111" viewBox="0 0 222 222" font-family="&apos;MS Sans Serif&apos;, &apos;Liberation Sans&apos;, &apos;Arimo&apos;, sans-serif">)svg"), std::string::npos);
    EXPECT_NE(svg.find(R"svg(<rect x="0" y="0" width="222" height="222" fill="#010203"/>
<rect x="2" y="2" width="218" height="218" fill="#ffffff"/>
<rect x="2" y="2" width="214" height="4" fill="#a0a0a0"/>
<rect x="2" y="2" width="4" height="214" fill="#a0a0a0"/>
<rect x="6" y="6" width="210" height="210" fill="#e3e3e3"/>
<rect x="6" y="6" width="206" height="4" fill="#696969"/>
<rect x="6" y="6" width="4" height="206" fill="#696969"/>
<clipPath id="Picture1"><rect x="0" y="0" width="202" height="202" fill="#000000"/>
</clipPath>
<g transform="translate(10 10)">
<rect x="0" y="0" width="202" height="202" fill="#ffffc0"/>
)svg"), std::string::npos) << svg;
    EXPECT_NE(svg.find(R"svg(<rect x="110" y="110" width="198" height="30" fill="#ffffc0"/>
<text x="110" y="130" font-size="22" font-weight="bold" fill="#000000">x</text>
)svg"), std::string::npos);
    EXPECT_NE(svg.find(R"svg(<text x="28" y="34" font-size="22" font-weight="bold" fill="#040506">Label6</text>)svg"), std::string::npos);
}

TEST(PlotSvg, TracesFollowTheWidthNotTheSamplesAndTextsAreEscaped) {
    std::size_t smallest = SIZE_MAX;
    std::size_t largest = 0;
    for (const std::int32_t N : {1000, 1'000'000, 100'000'000}) {
        PlotRecord record;
        TraceRequest request = Sampled(N, false).request();
        record.setTraces(request);
        const std::string svg = PlotSvg(record, kDesigned);
        // Each point is one pair "x,y"; the two traces have at most four points per column.
        EXPECT_LE(Count(svg, ","), 2u * 4u * 921u) << N;
        smallest = std::min(smallest, svg.size());
        largest = std::max(largest, svg.size());
    }
    EXPECT_LT(largest, smallest * 2);

    RecordingWindow window;
    window.placeLabel(form2::Label1, "<&\"'>", 49, 3);
    window.placeLabel(form2::Label1, "1,23E+01 <b>", 49, 3);
    const std::string svg = PlotSvg(window.record, kDesigned);
    EXPECT_EQ(Count(svg, "<text"), 11u);  // every label of the plot block, placed or not
    EXPECT_NE(svg.find(">1,23E+01 &lt;b&gt;</text>"), std::string::npos);
}

}  // namespace
}  // namespace ostrevo
