// The three commands of the main window ("Calcola  ts; tc", "Calcola Rc e Rs",
// "Grafici") in any order on any texts of the fifteen fields. No input may
// crash or hang them, each shows at most its messages, the plot requests are
// sane, and afterwards the same commands still compute the real example right.
#include <algorithm>
#include <cmath>
#include <optional>

#include "circuit_commands.h"
#include "fault.h"
#include "field_reading.h"
#include "fuzz_support.h"

namespace {

using ostrevo::fuzz::Require;
using ostrevo::FieldId;
using ostrevo::FieldOf;

// Samples per period beyond which "Grafici" is not run: its buffers and its
// sampling grow with N, and the memory refusal of the plot only steps in
// near the size of the machine's memory.
constexpr double kMaxFuzzedSamples = 20000;

struct Session {
    explicit Session(std::string separator) : decimalSeparator(separator), commands{form, messages, separator} {}

    std::string decimalSeparator;
    ostrevo::testing::FakeForm form;
    ostrevo::testing::FakeMessages messages;
    ostrevo::testing::FakePlotWindow plot;
    ostrevo::CircuitCommands commands;
    bool compareRenderers = true;  // off where only the request matters
};

bool PlotAffordable(const Session& s) {
    try {
        return ostrevo::ParseLeadingNumber(s.form.text(FieldOf(FieldId::N).control)) <= kMaxFuzzedSamples;
    } catch (const ostrevo::Fault&) {
        return true;
    }
}

bool IsNumberText(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
               return ostrevo::fuzz::IsNumberCharacter(static_cast<unsigned char>(c));
           });
}

// A result as the user reads it: a finite number, whatever the separator.
bool IsResultText(std::string text, const std::string& separator) {
    const auto at = text.find(separator);
    if (at != std::string::npos) text.replace(at, separator.size(), ".");
    return IsNumberText(text);
}

void RunTiming(Session& s) {
    s.commands.computeTimes();
    Require(s.messages.shown.size() <= 1, "\"Calcola  ts; tc\" shows more than one message");
    if (!s.messages.shown.empty()) return;
    Require(s.form.wrote("Label9") && s.form.wrote("Label11"), "results not shown");
    Require(IsResultText(s.form.shown("Label9"), s.decimalSeparator) &&
                IsResultText(s.form.shown("Label11"), s.decimalSeparator),
            "times that are not finite without a message");
}

void RunDesign(Session& s) {
    s.commands.designResistors();
    Require(s.messages.shown.size() <= 2, "\"Calcola Rc e Rs\" shows more than its two warnings");
    // The designed texts go back into fields that later commands check and read.
    for (const char* field : {"Text2", "Text9", "Text8"}) {
        Require(!s.form.wrote(field) || IsNumberText(s.form.shown(field)),
                "a designed text fails the check: " + s.form.shown(field));
    }
}

void RunPlot(Session& s) {
    s.plot.calls.clear();
    s.commands.plotWaveforms(s.plot);
    ostrevo::fuzz::RequireSanePlot(s.plot, s.compareRenderers);
    const auto requests = s.plot.all<ostrevo::testing::TracesCall>();
    Require(s.messages.shown.size() <= 1, "\"Grafici\" shows more than one message");
    Require(requests.size() <= 1, "\"Grafici\" draws the traces twice");
    if (s.messages.shown.empty()) {
        Require(requests.size() == 1, "\"Grafici\" without a message and without traces");
        Require(!requests.front().stop, "traces cut short without a message");
    }
}

void RunCommand(Session& s, int command) {
    s.messages.shown.clear();
    s.form.writes.clear();
    switch (command) {
        case 0: RunTiming(s); break;
        case 1: RunDesign(s); break;
        default: PlotAffordable(s) ? RunPlot(s) : RunTiming(s); break;
    }
    ostrevo::fuzz::RequireSaneWrites(s.form);
    ostrevo::fuzz::RequireSaneMessages(s.messages);
}

void SetField(Session& s, const ostrevo::Field& field, std::u16string text) {
    s.form.texts[field.control] = std::move(text);
}

// The real example and a design without warnings, on the commands the fuzzed
// ones have used: the results must be those of fresh commands.
void RequireSaneDataStillWork(Session& s) {
    for (const ostrevo::Field& field : ostrevo::kFields) SetField(s, field, ostrevo::fuzz::SaneText(field));

    RunCommand(s, 1);
    Require(s.messages.shown.empty(), "the sane design shows a message after fuzzed commands");
    Require(s.form.shown("Label31") == "1.443E+01" && s.form.shown("Label30") == "7.213E+00",
            "the sane design gives other resistors after fuzzed commands");

    for (const FieldId id : {FieldId::Rc, FieldId::Rs, FieldId::C}) {
        SetField(s, FieldOf(id), ostrevo::fuzz::SaneText(FieldOf(id)));
    }
    RunCommand(s, 0);
    Require(s.messages.shown.empty(), "the real example shows a message after fuzzed commands");
    const std::string& separator = s.decimalSeparator;
    Require(s.form.shown("Label9") == "1" + separator + "221" && s.form.shown("Label11") == "5" + separator + "706",
            "the real example gives other times after fuzzed commands: " + s.form.shown("Label9") + " " +
                s.form.shown("Label11"));

    s.compareRenderers = false;  // the fuzzed plots compared them; this one is about the commands' state
    RunCommand(s, 2);
    Require(s.messages.shown.empty(), "the real example's plot shows a message after fuzzed commands");
    const auto requests = s.plot.all<ostrevo::testing::TracesCall>();
    Require(requests.size() == 1 && requests.front().N == 1000 && requests.front().NP == 5,
            "the real example's plot has other N or NP");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    Session s(provider.ConsumeBool() ? "," : ".");
    for (const ostrevo::Field& field : ostrevo::kFields) {
        SetField(s, field, ostrevo::fuzz::ConsumeFieldText(provider, field));
    }
    const int commands = provider.ConsumeIntegralInRange(1, 4);
    for (int i = 0; i < commands; ++i) {
        if (provider.ConsumeBool()) {
            const auto& field = ostrevo::kFields[provider.ConsumeIntegralInRange<std::size_t>(0, 14)];
            SetField(s, field, ostrevo::fuzz::ConsumeFieldText(provider, field));
        }
        RunCommand(s, provider.ConsumeIntegralInRange(0, 2));
    }
    RequireSaneDataStillWork(s);
    return 0;
}
