// The three commands of the main window ("Calcola  ts; tc", "Calcola Rc e Rs",
// "Grafici") in any order on any texts of the fifteen fields. No input may
// crash or hang them, each shows at most its messages, the plot requests are
// sane and both renderers draw them alike, and afterwards the same commands
// still plot the real example right.
#include <cmath>
#include <cstring>

#include "circuit_commands.h"
#include "entry_check.h"
#include "fast_trace_renderer.h"
#include "field_reading.h"
#include "fuzz_support.h"
#include "plot_mapping.h"
#include "trace_renderer.h"

namespace {

using namespace ostrevo;
using fuzz::Require;

struct Session {
    explicit Session(const char* decimalSeparator) : separator(decimalSeparator) {}
    std::string separator;
    testing::FakeForm form;
    testing::FakeMessages messages;
    testing::FakePlotWindow plot;
    CircuitCommands commands{form, messages, separator};
};

// The first segment of period 1 with an end whose y does not fit a float: vc
// joins samples 1..N, vo samples 1..N+1.
std::optional<TraceStop> ExpectedStop(const TraceRequest& r) {
    for (const Trace trace : {Trace::Vc, Trace::Vo}) {
        const bool vc = trace == Trace::Vc;
        const auto y = [&](std::int32_t k) {
            return vc ? VcToY(r.samples->sample(trace, k), r.VPlus) : VoToY(r.samples->sample(trace, k), r.Vcc);
        };
        for (std::int32_t k = 1; r.NP >= 1 && k <= r.N - vc; ++k) {
            if (!std::isfinite(float(y(k))) || !std::isfinite(float(y(k + 1)))) return TraceStop{trace, k};
        }
    }
    return std::nullopt;
}

// Both renderers on canvases of Picture1's size (921 x 633 device pixels) draw the same picture.
void RequireRenderersAgree(const TraceRequest& request) {
    static std::vector<std::uint32_t> reference(921 * 633), fast(921 * 633);
    std::memset(reference.data(), 0, reference.size() * 4);  // not a loop the fuzzer's hooks would trace
    std::memset(fast.data(), 0, fast.size() * 4);
    PlotCanvas referenceCanvas(reference.data(), 921, 633, 921), fastCanvas(fast.data(), 921, 633, 921);
    DrawTracesPerSegment(referenceCanvas, request);
    DrawTracesAggregated(fastCanvas, request);
    Require(std::memcmp(reference.data(), fast.data(), reference.size() * 4) == 0, "the renderers draw differently");
}

void RunPlot(Session& s) {
    s.plot.clear();
    s.commands.plotWaveforms(s.plot);
    Require(s.messages.shown.size() <= 1 && s.plot.traces.size() <= 1, "\"Grafici\" says or draws twice");
    Require(!s.messages.shown.empty() || s.plot.traces.size() == 1, "\"Grafici\" without a message or traces");
    if (s.plot.traces.empty()) return;
    const TraceRequest r = s.plot.traces[0];
    Require(r.N >= -1 && r.samples->sample(Trace::Vc, r.N + 1) == 0 && r.samples->sample(Trace::Vo, r.N + 1) == 0,
            "no zero after the last sample");
    Require(r.stop == ExpectedStop(r), "the traces stop elsewhere than at the first sample without y");
    Require(r.stop.has_value() == !s.messages.shown.empty(), "traces cut short without a message");
    if (r.NP >= 1 && std::int64_t{r.NP} * (r.N + 1) <= 40000) RequireRenderersAgree(r);
}

bool IsNumberText(const std::string& text) {
    return CheckEntry(std::u16string(text.begin(), text.end())) == EntryVerdict::Accepted;
}

void RunCommand(Session& s, int command) {
    s.messages.shown.clear();
    s.form.writes.clear();
    if (command == 1) {
        s.commands.designResistors();
        Require(s.messages.shown.size() <= 2, "\"Calcola Rc e Rs\" shows more than its two warnings");
        for (const FieldId designed : {FieldId::Rc, FieldId::Rs, FieldId::C}) {  // checked and read by later commands
            const ControlName field = form1::FieldControl(designed);
            Require(!s.form.wrote(field) || IsNumberText(s.form.shown(field)), "a designed text fails the check");
        }
        return;
    }
    double n = 0;  // "Grafici" only while its sampling stays short
    try {
        n = ParseLeadingNumber(s.form.fieldText(FieldId::N));
    } catch (const Fault&) {
    }
    if (command == 2 && n <= 20000) return RunPlot(s);
    s.commands.computeTimes();
    Require(s.messages.shown.size() <= 1, "\"Calcola  ts; tc\" shows more than one message");
    for (std::string time : {s.form.shown(form1::Label9), s.form.shown(form1::Label11)}) {
        if (const auto at = time.find(s.separator); at != std::string::npos) time.replace(at, 1, ".");
        Require(!s.messages.shown.empty() || IsNumberText(time), "a time that is not finite without a message");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    Session s(provider.ConsumeBool() ? "," : ".");
    for (const Field& field : kFields) s.form.textOf(field.id) = fuzz::ConsumeFieldText(provider, field);
    for (int commands = provider.ConsumeIntegralInRange(1, 4); commands > 0; --commands) {
        if (provider.ConsumeBool()) {
            const Field& field = kFields[provider.ConsumeIntegralInRange<std::size_t>(0, 14)];
            s.form.textOf(field.id) = fuzz::ConsumeFieldText(provider, field);
        }
        RunCommand(s, provider.ConsumeIntegralInRange(0, 2));
    }
    // The real example plots on the commands the fuzzed ones have used as on fresh ones.
    Session fresh(".");
    for (Session* session : {&s, &fresh}) {  // no renderer comparison: the fuzzed plots had theirs
        for (const Field& field : kFields) session->form.textOf(field.id) = fuzz::SaneText(field);
        session->plot.clear(), session->messages.shown.clear();
        session->commands.plotWaveforms(session->plot);
    }
    const auto samples = [](const Session& session, Trace trace) {
        return testing::SamplesOf(session.plot.traces.at(0), trace);
    };
    Require(s.messages.shown.empty() && samples(s, Trace::Vc) == samples(fresh, Trace::Vc) &&
                samples(s, Trace::Vo) == samples(fresh, Trace::Vo),
            "the real example plots otherwise after fuzzed commands");
    return 0;
}
