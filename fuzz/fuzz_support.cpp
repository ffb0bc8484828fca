#include "fuzz_support.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <variant>

#include "design.h"
#include "fast_trace_renderer.h"
#include "plot_canvas.h"
#include "plot_mapping.h"
#include "trace_renderer.h"

namespace ostrevo::fuzz {
namespace {

constexpr std::size_t kShortTextBytes = 96;
constexpr std::size_t kLongTextMin = 32760;  // around the 16-bit limit of old position counters
constexpr std::size_t kLongTextMax = 40000;

// Inner size of Picture1 in device pixels at 96 dots per inch.
constexpr int kPlotWidth = 921;
constexpr int kPlotHeight = 633;
// Segments beyond which the plot is checked but not drawn: the reference
// renderer takes time proportional to them.
constexpr std::int64_t kMaxDrawnSegments = 40000;

// A design without warnings: C 1 nF, tc 10 usec, ts 5 usec.
std::u16string_view SaneDesignText(FieldId id) {
    switch (id) {
        case FieldId::DesignC: return u"1";
        case FieldId::DesignTc: return u"10";
        default: return u"5";
    }
}

std::u16string LongText(FuzzedDataProvider& data) {
    std::u16string piece = TextFromBytes(data.ConsumeRandomLengthString(8), false);
    if (piece.empty()) piece = u"9";
    const std::size_t length = data.ConsumeIntegralInRange(kLongTextMin, kLongTextMax);
    std::u16string text = piece;
    while (text.size() < length) text += text;  // doubling: a few appends, not one per piece
    text.resize(length);
    return text;
}

bool Drawable(double y) { return std::isfinite(static_cast<float>(y)); }

// Samples first..last of a trace (period 1) all give a drawable y.
template <typename ToY>
bool AllDrawable(std::span<const double> samples, std::int32_t first, std::int32_t last, ToY toY) {
    for (std::int32_t k = first; k <= last; ++k) {
        if (!Drawable(toY(samples[static_cast<std::size_t>(k)]))) return false;
    }
    return true;
}

// A trace whose drawing stops at `segment` draws segments 1..segment-1 (samples
// 1..segment), and stops because sample segment or segment + 1 has no y.
template <typename ToY>
void RequireStopJustified(std::span<const double> samples, std::int32_t segment, std::int32_t lastSegment,
                          ToY toY, const char* trace) {
    Require(segment >= 1 && segment <= lastSegment, std::string(trace) + ": stop segment out of range");
    if (segment >= 2) Require(AllDrawable(samples, 1, segment, toY), std::string(trace) + ": stops too late");
    Require(!Drawable(toY(samples[static_cast<std::size_t>(segment)])) ||
                !Drawable(toY(samples[static_cast<std::size_t>(segment) + 1])),
            std::string(trace) + ": stops although both samples of the segment can be drawn");
}

void RequireSaneStop(const TraceRequest& request) {
    const auto vcToY = [&](double vc) { return VcToY(vc, request.VPlus); };
    const auto voToY = [&](double vo) { return VoToY(vo, request.Vcc); };
    const std::int32_t n = request.N;
    if (request.NP < 1) {
        Require(!request.stop, "a stop in a plot without periods");
        return;
    }
    if (request.stopsIn(Trace::Vc)) {
        RequireStopJustified(request.vcSamples, request.stop->segment, n - 1, vcToY, "vc");
        return;
    }
    if (n >= 2) Require(AllDrawable(request.vcSamples, 1, n, vcToY), "vc has a sample without y and no stop");
    if (request.stopsIn(Trace::Vo)) {
        RequireStopJustified(request.voSamples, request.stop->segment, n, voToY, "vo");
        return;
    }
    if (n >= 1) Require(AllDrawable(request.voSamples, 1, n + 1, voToY), "vo has a sample without y and no stop");
}

// Draws the request with the reference and the fast renderer into two
// canvases of Picture1's size; the pictures must be equal.
void RequireRenderersAgree(const TraceRequest& request) {
    static std::vector<std::uint32_t> reference(kPlotWidth * kPlotHeight);
    static std::vector<std::uint32_t> fast(kPlotWidth * kPlotHeight);
    // Plain memory functions: an element loop would be traced by the fuzzer's
    // comparison hooks and take most of the run.
    const std::size_t bytes = reference.size() * sizeof(std::uint32_t);
    std::memset(reference.data(), 0, bytes);
    std::memset(fast.data(), 0, bytes);
    PlotCanvas referenceCanvas(reference.data(), kPlotWidth, kPlotHeight, kPlotWidth);
    PlotCanvas fastCanvas(fast.data(), kPlotWidth, kPlotHeight, kPlotWidth);
    DrawTracesPerSegment(referenceCanvas, request);
    DrawTracesAggregated(fastCanvas, request);
    Require(std::memcmp(reference.data(), fast.data(), bytes) == 0,
            "the fast renderer draws another picture than the reference");
}

// Bytes of the UTF-8 sequence that starts with `lead`; 0 for a byte that starts none.
std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead >> 5) == 0x6) return 2;
    if ((lead >> 4) == 0xE) return 3;
    if ((lead >> 3) == 0x1E) return 4;
    return 0;
}

}  // namespace

void Violation(const std::string& what) {
    std::fprintf(stderr, "property violated: %s\n", what.c_str());
    std::abort();
}

bool IsValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t length = SequenceLength(static_cast<unsigned char>(text[i]));
        if (length == 0 || i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) >> 6) != 0x2) return false;
        }
        i += length;
    }
    return true;
}

bool IsNumberCharacter(char16_t c) {
    return (c >= u'0' && c <= u'9') || c == u'.' || c == u'e' || c == u'E' || c == u'+' || c == u'-';
}

std::u16string TextFromBytes(std::string_view bytes, bool pairs) {
    std::u16string text;
    if (!pairs) {
        for (const char byte : bytes) text.push_back(static_cast<unsigned char>(byte));
        return text;
    }
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             static_cast<unsigned char>(bytes[i + 1]) << 8));
    }
    return text;
}

std::u16string ConsumeFieldText(FuzzedDataProvider& data, const Field& field) {
    switch (data.ConsumeIntegralInRange(0, 5)) {
        case 0: return {};
        case 1: return TextFromBytes(data.ConsumeRandomLengthString(kShortTextBytes), false);
        case 2: return TextFromBytes(data.ConsumeRandomLengthString(2 * kShortTextBytes), true);
        case 3: return LongText(data);
        case 4: return SaneText(field) + TextFromBytes(data.ConsumeRandomLengthString(8), false);
        default: return SaneText(field);
    }
}

std::u16string SaneText(const Field& field) {
    const std::string_view example = ExampleText(field, Example::Real);
    if (example.empty()) return std::u16string(SaneDesignText(field.id));
    return std::u16string(example.begin(), example.end());  // ASCII
}

void RequireSaneWrites(const testing::FakeForm& form) {
    constexpr std::array<std::string_view, 7> kWritable{"Label9", "Label11", "Label30", "Label31",
                                                        "Text2",  "Text9",   "Text8"};
    for (const testing::FakeForm::Write& write : form.writes) {
        Require(IsValidUtf8(write.utf8), "invalid UTF-8 written into " + write.control);
        Require(std::find(kWritable.begin(), kWritable.end(), write.control) != kWritable.end(),
                "the commands write into " + write.control);
    }
    for (const auto& [control, colour] : form.colours) {
        Require(control == "Text2" || control == "Text9" || control == "Text8", "the commands colour " + control);
        Require(colour == kDesignedFieldColour, "a designed field is coloured other than blue");
    }
}

void RequireSaneMessages(const testing::FakeMessages& messages) {
    for (const std::string& message : messages.shown) {
        Require(!message.empty(), "an empty message box");
        Require(IsValidUtf8(message), "a message in invalid UTF-8");
    }
}

void RequireSanePlot(const testing::FakePlotWindow& plot, bool compareRenderers) {
    if (plot.calls.empty()) return;
    const auto* first = std::get_if<testing::WindowCall>(&plot.calls.front());
    Require(first != nullptr && *first == testing::WindowCall::EnsureCreated,
            "the plot draws before the window was created");
    for (const testing::LineCall& line : plot.all<testing::LineCall>()) {
        Require(std::isfinite(line.from.x) && std::isfinite(line.from.y) && std::isfinite(line.to.x) &&
                    std::isfinite(line.to.y),
                "a line with a coordinate that is not finite");
    }
    for (const testing::LabelCall& label : plot.all<testing::LabelCall>()) {
        Require(IsValidUtf8(label.text), "invalid UTF-8 in " + label.control);
        Require(std::isfinite(label.left) && std::isfinite(label.top),
                "a label placed at a coordinate that is not finite");
    }
    for (const testing::TracesCall& traces : plot.all<testing::TracesCall>()) {
        const TraceRequest request = traces.request();
        Require(request.N >= -1, "a trace request with N below -1");
        const auto length = static_cast<std::size_t>(request.N) + 2;
        Require(request.vcSamples.size() == length && request.voSamples.size() == length,
                "sample buffers of another length than N + 2");
        RequireSaneStop(request);
        const std::int64_t segments = std::int64_t{request.NP} * (std::int64_t{request.N} + 1);
        if (compareRenderers && request.NP >= 1 && segments <= kMaxDrawnSegments) RequireRenderersAgree(request);
    }
}

}  // namespace ostrevo::fuzz
