// The three commands of the main window ("Calcola  ts; tc", "Calcola Rc e Rs",
// "Grafici") in any order on any texts of the fifteen fields. No input may
// crash or hang them, each shows at most its messages, the plot requests are
// sane, and afterwards the same model still computes the real example right.
#include <algorithm>
#include <cmath>
#include <optional>

#include "fault.h"
#include "fuzz_support.h"
#include "module1.h"

namespace {

using ostrevo::fuzz::Require;

// Samples per period beyond which "Grafici" is not run: its buffers and its
// sampling grow with N, and the memory refusal of the model only steps in
// near the size of the machine's memory.
constexpr double kMaxFuzzedSamples = 20000;

struct Session {
    ostrevo::fuzz::FakeMainForm form;
    ostrevo::fuzz::RecordingMessageBoxes messages;
    ostrevo::fuzz::CheckingPlotWindow plot;
    ostrevo::Module1 model{form, messages};
};

bool PlotAffordable(const Session& s) {
    try {
        return ostrevo::ParseLeadingNumber(s.form.text("Text16")) <= kMaxFuzzedSamples;
    } catch (const ostrevo::Fault&) {
        return true;
    }
}

bool PassesEntryCheck(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
               return ostrevo::fuzz::IsNumberCharacter(static_cast<unsigned char>(c));
           });
}

void RunTiming(Session& s) {
    s.model.Command1_Click();
    Require(s.messages.shown.size() <= 1, "\"Calcola  ts; tc\" shows more than one message");
    if (!s.messages.shown.empty()) return;
    Require(std::isfinite(s.model.ts) && std::isfinite(s.model.tc), "times that are not finite without a message");
    Require(!s.form.written("Label9").empty() && !s.form.written("Label11").empty(), "results not shown");
}

void RunDesign(Session& s) {
    s.model.Command4_Click();
    Require(s.messages.shown.size() <= 2, "\"Calcola Rc e Rs\" shows more than its two warnings");
    // The designed texts go back into fields that later commands check and read.
    for (const char* field : {"Text2", "Text9", "Text8"}) {
        const std::string written = s.form.written(field);
        Require(written.empty() || PassesEntryCheck(written), "a designed text fails the check: " + written);
    }
}

void RunPlot(Session& s) {
    const int requestsBefore = s.plot.traceRequests;
    s.model.Command2_Click(s.plot);
    const int requests = s.plot.traceRequests - requestsBefore;
    Require(s.messages.shown.size() <= 1, "\"Grafici\" shows more than one message");
    Require(requests <= 1, "\"Grafici\" draws the traces twice");
    if (s.messages.shown.empty()) {
        Require(requests == 1, "\"Grafici\" without a message and without traces");
        Require(!s.plot.lastStop, "traces cut short without a message");
    }
}

void RunCommand(Session& s, int command) {
    s.messages.shown.clear();
    s.form.forgetWritten();
    switch (command) {
        case 0: RunTiming(s); break;
        case 1: RunDesign(s); break;
        default: PlotAffordable(s) ? RunPlot(s) : RunTiming(s); break;
    }
    Require(s.model.EntryError == 0 || s.model.EntryError == 1, "EntryError neither 0 nor 1");
}

std::string Decimal(const char* whole, const std::string& separator, const char* fraction) {
    return whole + separator + fraction;
}

// The real example and a design without warnings, on the model the fuzzed
// commands have used: the results must be those of a fresh model.
void RequireSaneDataStillWork(Session& s) {
    for (const std::string_view field : ostrevo::fuzz::kFieldNames) {
        s.form.setField(field, ostrevo::fuzz::SaneText(field));
    }
    const std::string separator = s.model.DecimalSeparator;

    RunCommand(s, 1);
    Require(s.messages.shown.empty(), "the sane design shows a message after fuzzed commands");
    Require(s.form.written("Label31") == "1.443E+01" && s.form.written("Label30") == "7.213E+00",
            "the sane design gives other resistors after fuzzed commands");

    for (const char* field : {"Text2", "Text9", "Text8"}) s.form.setField(field, ostrevo::fuzz::SaneText(field));
    RunCommand(s, 0);
    Require(s.messages.shown.empty(), "the real example shows a message after fuzzed commands");
    Require(s.form.written("Label9") == Decimal("1", separator, "221") &&
                s.form.written("Label11") == Decimal("5", separator, "706"),
            "the real example gives other times after fuzzed commands: " + s.form.written("Label9") + " " +
                s.form.written("Label11"));

    s.plot.compareRenderers = false;  // the fuzzed plots compared them; this one is about the model's state
    RunCommand(s, 2);
    Require(s.messages.shown.empty(), "the real example's plot shows a message after fuzzed commands");
    Require(s.plot.lastN == 1000 && s.plot.lastNP == 5, "the real example's plot has other N or NP");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    Session s;
    s.model.DecimalSeparator = provider.ConsumeBool() ? "," : ".";
    for (const std::string_view field : ostrevo::fuzz::kFieldNames) {
        s.form.setField(field, ostrevo::fuzz::ConsumeFieldText(provider, field));
    }
    const int commands = provider.ConsumeIntegralInRange(1, 4);
    for (int i = 0; i < commands; ++i) {
        if (provider.ConsumeBool()) {
            const auto field = ostrevo::fuzz::kFieldNames[provider.ConsumeIntegralInRange<std::size_t>(0, 14)];
            s.form.setField(field, ostrevo::fuzz::ConsumeFieldText(provider, field));
        }
        RunCommand(s, provider.ConsumeIntegralInRange(0, 2));
    }
    RequireSaneDataStillWork(s);
    return 0;
}
