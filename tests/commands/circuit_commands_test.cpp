// The three commands of the main window on the fakes of the windows: what
// each shows, and where each stops at a fault with its one message.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "circuit_commands.h"
#include "circuit_examples.h"
#include "design.h"
#include "field_reading.h"

namespace ostrevo {
namespace {

// The operator new of this program fails once, when this many allocations
// have succeeded since it was set; negative: it never fails.
long allocationsBeforeFailure = -1;

}  // namespace
}  // namespace ostrevo

// GCC takes memory from a replaced operator new for memory of a new-expression, freed by free().
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void* operator new(std::size_t size) {
    if (ostrevo::allocationsBeforeFailure >= 0 && ostrevo::allocationsBeforeFailure-- == 0) throw std::bad_alloc();
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

namespace ostrevo {
namespace {

using Messages = std::vector<std::string>;
constexpr const char* kIdeal = "12 22 4.7 0 0 0 1 8 4 0 5 1000";
const std::string kOverflow = "il risultato supera il massimo numero rappresentabile";
const std::string kTooLarge =
    "Il numero scritto è troppo grande: supera il massimo valore rappresentabile (circa 1,8E+308).";
const std::string kNotACount = "Il valore deve essere un numero intero compreso tra -2147483648 e 2147483647.";
const std::string ts = "Impossibile calcolare ts: ", tc = "Impossibile calcolare tc: ";

struct CommandTest : ::testing::Test {
    testing::FakeForm form;
    testing::FakeMessages messages;
};

// Worked examples, odd results that are no fault, then each fault: one
// message, the command stops at its step and keeps what it wrote before.
TEST_F(CommandTest, ComputeTimes) {
    const struct {
        const char* typed;
        const char* label9;
        const char* label11;
        Messages shown;
    } cases[] = {
        {kIdeal, "3,258", "15,249", {}},
        {"12 22 4.7 195 75 5 1 6.7 5.33 0.6 5 1000", "1,221", "5,706", {}},
        {"12 22 4.7 0 0 0 1 4 8 0 5 1000", "-3,258", "-15,249", {}},  // thresholds swapped
        {"12 22 4.7 0 0 0 1 6 6 0 5 1000", "0", "0", {}},
        {"12 22 4.7 0 0 0 1E-6 8 4 0 5 1000", "0", "0", {}},  // a tiny capacitor
        {"12 _ abc 0 0 0 1 8 4 0 5 1000", "old", "old", {"Hai dimenticato di scrivere il valore di Rc in kohm"}},
        {"12 _ 4.7 0 0 0 1 8 4 1E400 -3E9 1E10", "old", "old",
         {"Impossibile leggere il numero di campioni N. " + kNotACount}},
        {"12 22 4.7 0 0 0 1 8 0.6 0.6 5 1000", "old", "old", {ts + "v- è uguale a Vd (divisione per zero)."}},
        {"12 22 4.7 0 0 0 1 0.6 0.6 0.6 5 1000", "old", "old",
         {ts + "v+ e v- sono entrambe uguali a Vd (0/0, operazione non valida)."}},
        {"12 22 4.7 0 0 0 1 0.6 4 0.6 5 1000", "old", "old", {ts + "v+ è uguale a Vd (logaritmo di zero)."}},
        {"12 22 4.7 0 0 0 1 1E-300 1E300 0 5 1000", "old", "old",
         {ts + "il rapporto delle tensioni è troppo vicino a zero (logaritmo di zero)."}},
        {"12 22 4.7 0 0 0 1 8 4 5 5 1000", "old", "old",
         {ts + "v+ e v- stanno da parti opposte rispetto a Vd (logaritmo di un numero negativo)."}},
        {"12 22 4.7 0 0 0 1 11.5 4 0.5 5 1000", "5,382", "old", {tc + "v+ è uguale a Vcc - Vd (divisione per zero)."}},
        {"12 22 4.7 0 0 0 1 11.5 11.5 0.5 5 1000", "0", "old",
         {tc + "v+ e v- sono entrambe uguali a Vcc - Vd (0/0, operazione non valida)."}},
        {"12 22 4.7 0 0 0 1 8 11.5 0.5 5 1000", "-1,8", "old", {tc + "v- è uguale a Vcc - Vd (logaritmo di zero)."}},
        {"12 22 4.7 0 0 0 1 12 8 0.5 5 1000", "2,009", "old",
         {tc + "v+ e v- stanno da parti opposte rispetto a Vcc - Vd (logaritmo di un numero negativo)."}},
        {"12 22 4.7 0 0 0 1 1E308 1E-308 -1E308 5 1000", "old", "old", {ts + kOverflow + "."}},
        {"12 1E300 4.7 0 0 0 1E300 8 4 0 5 1000", "3,25779174863174E+300", "old", {tc + kOverflow + "."}},
    };
    for (const auto& c : cases) {
        form.type("Label9", "old");
        form.type("Label11", "old");
        messages.shown.clear();
        testing::TypeCircuit(form, c.typed);
        CircuitCommands(form, messages, ",").computeTimes();
        EXPECT_EQ(std::tuple(form.shown("Label9"), form.shown("Label11"), messages.shown),
                  std::tuple(c.label9, c.label11, c.shown)) << c.typed;
    }
}

// Rc, Rs and C written with a point whatever the locale, and the warnings in order.
TEST_F(CommandTest, DesignResistors) {
    const std::string current = "Controlla la corrente max fornita dall'uscita!", rc = "Impossibile calcolare Rc: ",
                      time = "I tempi di carica o scarica sono comparabili con i tempi di commutazione dell'integrato!";
    const struct {
        const char* typed[4];  // Vcc, C, tc, ts
        const char* rc;
        const char* rs;
        const char* c;
        Messages shown;
    } cases[] = {
        {{"12", "1", "10", "5"}, "1.443E+01", "7.213E+00", "1.000E+00", {}},
        {{"-12", "-1", "10", "5"}, "-1.443E+01", "-7.213E+00", "-1.000E+00", {}},
        {{"12", "1", "1", "10"}, "1.443E+00", "1.443E+01", "1.000E+00", {current}},
        {{"12", "1", "10", "1"}, "1.443E+01", "1.443E+00", "1.000E+00", {current}},
        {{"6", "1", "0.6931471805599453", "0.6931471805599453"}, "1.000E+00", "1.000E+00", "1.000E+00", {}},  // 4 mA
        {{"6", "1", "0.6931", "100"}, "9.999E-01", "1.443E+02", "1.000E+00", {current}},
        {{"12", "1", "0.1", "5"}, "1.443E-01", "7.213E+00", "1.000E+00", {current, time}},
        {{"0.3", "1", "10", "0.1"}, "1.443E+01", "1.443E-01", "1.000E+00", {time}},
        {{"12", "1", "1,0", "5"}, "old", "old", "old", {"Errore di inserimento dati per il valore del tempo di carica tc in usec. Puoi scrivere soltanto numeri "
          "razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"}},
        {{"12", "1E400", "1", "1E400"}, "old", "old", "old",
         {"Impossibile leggere la capacità C. " + kTooLarge}},
        {{"12", "0", "10", "5"}, "old", "old", "old", {rc + "la capacità C è zero (divisione per zero)."}},
        {{"12", "1E-300", "1E300", "5"}, "old", "old", "old", {rc + kOverflow + "."}},
        {{"12", "1E-300", "1", "1E300"}, "old", "old", "old", {"Impossibile calcolare Rs: " + kOverflow + "."}},
        {{"12", "1", "0", "5"}, "0.000E+00", "7.213E+00", "1.000E+00",
         {"Impossibile calcolare la corrente di carica: Rc è zero (divisione per zero)."}},
        {{"12", "1", "10", "0"}, "1.443E+01", "0.000E+00", "1.000E+00",
         {"Impossibile calcolare la corrente di scarica: Rs è zero (divisione per zero)."}},
        {{"1E308", "1", "1E-300", "1"}, "1.443E-300", "1.443E+00", "1.000E+00",
         {"Impossibile calcolare la corrente di carica: " + kOverflow + "."}},
    };
    for (const auto& c : cases) {
        for (const char* control : {"Text2", "Label31", "Text9", "Label30", "Text8"}) form.type(control, "old");
        form.colours.clear();
        messages.shown.clear();
        for (int i = 0; i < 4; ++i) form.type(std::array{"Text1", "Text14", "Text13", "Text15"}[i], c.typed[i]);
        CircuitCommands(form, messages, ",").designResistors();
        EXPECT_EQ(std::tuple(form.shown("Text2"), form.shown("Label31"), form.shown("Text9"), form.shown("Label30"),
                             form.shown("Text8"), messages.shown),
                  std::tuple(c.rc, c.rc, c.rs, c.rs, c.c, c.shown)) << c.typed[2];
        EXPECT_EQ(form.colours.size(), std::string(c.c) == "old" ? 0u : 3u);
        for (const auto& [control, colour] : form.colours) EXPECT_EQ(colour, form1::kDesignedFieldColour) << control;
    }
}

struct PlotCommandTest : CommandTest {
    void run(const std::string& typed) {
        testing::TypeCircuit(form, typed);
        plot.clear();
        messages.shown.clear();
        commands.plotWaveforms(plot);
    }
    // The window's calls: created, erased, shown, the frame, `labels` labels, then `rest`.
    static std::string Calls(int labels, const char* rest) {
        return "CES" + std::string(27, 'l') + std::string(labels, 'L') + rest;
    }

    testing::FakePlotWindow plot;
    CircuitCommands commands{form, messages, "."};
};

TEST_F(PlotCommandTest, DrawsTheSampledPeriodOnceTheLabelsShowItsTimes) {
    run("12 22 4.7 0 0 0 1 8 4 0 4.5 1000.5");  // NP and N rounded, halves to even
    EXPECT_EQ(plot.log, Calls(10, "rt"));
    const testing::SampledPeriod period = testing::SamplePeriod(ReadCircuit(form, kCircuitFields));
    const PlotScale& scale = plot.remembered.at(0);
    const TraceRequest& traces = plot.traces.at(0);
    EXPECT_EQ(std::tie(scale.ts, scale.tc, scale.NP, scale.VPlus, scale.Vcc, traces.N, traces.NP, traces.VPlus),
              std::make_tuple(period.times.ts, period.times.tc, 4, 8.0, 12.0, 1000, 4, 8.0));
    EXPECT_EQ(std::tuple(testing::SamplesOf(traces, Trace::Vc), testing::SamplesOf(traces, Trace::Vo), traces.Vcc),
              std::tie(period.vc, period.vo, scale.Vcc));
}

TEST_F(PlotCommandTest, StopPoints) {
    const std::string axis = "Impossibile calcolare i tempi dell'asse orizzontale: " + kOverflow + ".";
    const std::string grafico = "Impossibile disegnare il grafico con N = ";
    const struct {
        std::string typed;
        std::string calls;
        std::optional<TraceStop> stop;
        std::int32_t requestN;
        Messages shown;
    } cases[] = {
        {"12 22 4.7 0 0 0 1 8 4 0 5 _", "", {}, 0, {"Hai dimenticato di scrivere il numero di campioni N"}},
        {"12 22 4.7 0 0 0 1 8 4 0 -3E9 1E10", Calls(0, ""), {}, 0,
         {"Impossibile leggere il numero di periodi visualizzati NP. " + kNotACount}},
        {"12 22 4.7 0 0 0 1 8 4 1E400 5 1E10", Calls(0, ""), {}, 0,
         {"Impossibile leggere la tensione di soglia dei diodi Vd. " + kTooLarge}},
        {"12 22 4.7 0 0 0 1 8 4 0 5 0", Calls(10, "r"), {}, 0,
         {"Impossibile calcolare il passo di campionamento (tc + ts)/N: il numero di campioni N è zero (divisione "
          "per zero)."}},
        {"12 22 4.7 0 0 0 1 0 0.5 1 5 1000", Calls(10, "rt"), TraceStop{Trace::Vc, 1}, 1000,
         {"Impossibile disegnare vc(t): la tensione di soglia superiore v+ è zero (divisione per zero)."}},
        {"0 22 4.7 0 0 0 1 8 4 0 5 1000", Calls(10, "rt"), TraceStop{Trace::Vo, 1}, 1000,
         {"Impossibile disegnare vo(t): la tensione di alimentazione Vcc è zero (divisione per zero)."}},
        // vc grows from 1E-40 V; its y passes the single-precision range at sample 918.
        {"12 22 4.7 0 0 0 1 1E-40 1 0 5 1000", Calls(10, "rt"), TraceStop{Trace::Vc, 917}, 1000,
         {"Impossibile disegnare vc(t): un campione è fuori dalla scala del grafico (" + kOverflow + ")."}},
        {"12 22 4.7 0 0 0 1 8 4 0 5 2147483647", Calls(0, ""), {}, 0,
         {grafico + "2147483647 campioni per periodo: N + 1 supera il massimo numero intero a 32 bit (2147483647)."}},
        {"12 22 4.7 0 0 0 1 8 4 0 0 1000", Calls(10, "rt"), {}, 1000, {}},
        {"12 22 4.7 0 0 0 1 8 4 0 5 1", Calls(10, "rt"), {}, 1, {}},
        // No charge resistance, ts / step just below N: exp(-inf) = 0 leaves sample N finite, the division before it faults.
        {"12 0 22 0 0 0 1 8 4 0 5 7", Calls(10, "r"), {}, 0,
         {"Impossibile calcolare il campione 7 di vc(t): la costante di tempo di carica (Rc + RoH)·(Ci + C) è zero."}},
        {"12 0 0 0 0 0 1 8 4 0 5 1000", Calls(10, "r"), {}, 0,
         {"Impossibile calcolare il campione 0 di vc(t): il passo di campionamento (tc + ts)/N è zero."}},
        {"12 22 4.7 0 0 0 1 8 4 0 5 -5", Calls(10, "rt"), {}, -1, {}},
        {"12 22 4.7 0 0 0 1 8 0 0 5 1000", Calls(0, ""), {}, 0, {ts + "v- è uguale a Vd (divisione per zero)."}},
        // tc is about 6.9E+306 usec: (ts + tc) x NP, or three quarters of it, passes the largest double.
        {"12 1E307 4.7 0 0 0 1 8 4 0 1000 1000", Calls(0, ""), {}, 0, {axis}},
        {"12 1E307 4.7 0 0 0 1 8 4 0 20 1000", Calls(2, ""), {}, 0, {axis}},
    };
    for (const auto& c : cases) {
        run(c.typed);
        EXPECT_EQ(std::tie(plot.log, messages.shown), std::tie(c.calls, c.shown)) << c.typed;
        if (plot.traces.empty()) continue;
        const TraceRequest traces = plot.traces[0];
        EXPECT_EQ(std::tie(traces.stop, traces.N), std::tie(c.stop, c.requestN)) << c.typed;
    }
}

// An allocation that fails at any point of a command, or any other exception,
// ends the command with its one message; the same command then runs whole.
TEST_F(PlotCommandTest, EveryExceptionEndsInAMessageAndTheProgramGoesOn) {
    const std::string kNoMemory = "Impossibile completare il comando: la memoria non basta.";
    const std::function<void(CircuitCommands&)> steps[] = {
        [](CircuitCommands& c) { c.computeTimes(); },
        [](CircuitCommands& c) { c.designResistors(); },
        [this](CircuitCommands& c) { c.plotWaveforms(plot); },
        [](CircuitCommands& c) { c.fillExample(Example::Real); },
    };
    for (const auto& command : steps) {
        testing::TypeCircuit(form, testing::ExampleTexts(Example::Real));
        for (const auto& [field, typed] : {std::pair{FieldId::DesignC, "1"}, {FieldId::DesignTc, "10"}, {FieldId::DesignTs, "5"}})
            form.type(form1::FieldControl(field), typed);
        long failingAllocation = 0;
        for (;; ++failingAllocation) {
            messages.shown.clear();
            allocationsBeforeFailure = failingAllocation;
            command(commands);
            const bool failed = allocationsBeforeFailure < 0;
            allocationsBeforeFailure = -1;
            if (!failed) break;
            ASSERT_EQ(messages.shown, Messages{kNoMemory}) << failingAllocation;
        }
        EXPECT_GT(failingAllocation, 0);
        EXPECT_TRUE(messages.shown.empty());
    }
    const std::pair<std::function<void()>, std::string> others[] = {
        {[] { throw std::length_error("vector::reserve"); },
         "Impossibile completare il comando: i dati superano la dimensione massima che il programma può gestire."},
        {[] { throw std::runtime_error("?"); }, "Impossibile completare il comando: errore imprevisto."},
        {[] { throw 42; }, "Impossibile completare il comando: errore imprevisto."},
    };
    for (const auto& [thrower, message] : others) {
        plot.whenShown = thrower;
        run(kIdeal);
        EXPECT_EQ(messages.shown, Messages{message});
    }
}

}  // namespace
}  // namespace ostrevo
