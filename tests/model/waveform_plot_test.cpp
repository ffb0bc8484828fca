#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "circuit_commands.h"
#include "circuit_examples.h"
#include "field_reading.h"
#include "physical_memory.h"

namespace ostrevo {
namespace {

using testing::CircuitTexts;
using testing::LabelCall;
using testing::LineCall;
using testing::TracesCall;
using testing::WindowCall;

constexpr std::size_t kFrameLines = 27;  // 25 ticks and two zero lines

class PlotCommandTest : public ::testing::Test {
protected:
    void run(const CircuitTexts& texts) {
        testing::TypeCircuit(form, texts);
        plot.calls.clear();
        messages.shown.clear();
        commands.plotWaveforms(plot);
    }
    static CircuitTexts Ideal(const char* np, const char* n) {
        CircuitTexts texts = testing::ExampleTexts(Example::Ideal);
        texts.np = np;
        texts.n = n;
        return texts;
    }

    testing::FakeForm form;
    testing::FakeMessages messages;
    testing::FakePlotWindow plot;
    CircuitCommands commands{form, messages, "."};
};

TEST_F(PlotCommandTest, DrawsFrameThenLabelsThenAllTracesInOneRequest) {
    run(testing::ExampleTexts(Example::Ideal));
    EXPECT_TRUE(messages.shown.empty());
    std::vector<std::size_t> kinds;  // the alternative of each call, in order
    for (const auto& call : plot.calls) kinds.push_back(call.index());
    std::vector<std::size_t> expected{0, 0, 0};
    expected.insert(expected.end(), kFrameLines, 1);
    expected.insert(expected.end(), 10, 2);
    expected.push_back(4);  // the readout's values, once the labels show them
    expected.push_back(3);
    ASSERT_EQ(kinds, expected);
    EXPECT_EQ(plot.all<WindowCall>(),
              (std::vector<WindowCall>{WindowCall::EnsureCreated, WindowCall::Erase, WindowCall::Show}));
    const testing::SampledPeriod period = testing::SamplePeriod(ReadCircuit(form, kCircuitFields));
    const PlotScale remembered = plot.all<PlotScale>().front();
    EXPECT_EQ(std::tie(remembered.ts, remembered.tc, remembered.NP, remembered.VPlus, remembered.Vcc),
              std::make_tuple(period.times.ts, period.times.tc, 5, 8.0, 12.0));
    const TracesCall traces = plot.all<TracesCall>().front();
    EXPECT_EQ(std::tie(traces.N, traces.NP, traces.VPlus, traces.Vcc), std::make_tuple(1000, 5, 8.0, 12.0));
    EXPECT_FALSE(traces.stop);
    EXPECT_EQ(traces.vc, period.vc);
    EXPECT_EQ(traces.vo, period.vo);
    EXPECT_EQ(traces.vo.size(), 1002u);
}

TEST_F(PlotCommandTest, AFailedCheckLeavesTheWindowAlone) {
    run(testing::ExampleTexts(Example::Real));
    CircuitTexts texts = testing::ExampleTexts(Example::Ideal);
    texts.n = "";
    run(texts);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Hai dimenticato di scrivere il numero di campioni N"});
    EXPECT_TRUE(plot.calls.empty());
}

// Where each case stops: what reached the window and the one message.
TEST_F(PlotCommandTest, StopPoints) {
    const struct {
        const char* what;
        CircuitTexts texts;
        std::size_t labels;
        bool traces;
        std::optional<TraceStop> stop;
        std::int32_t requestN;
        const char* message;
    } cases[] = {
        {"N = 0", Ideal("5", "0"), 10, false, {}, 0,
         "Impossibile calcolare il passo di campionamento (tc + ts)/N: il numero di campioni N è zero (divisione per "
         "zero)."},
        {"v+ = 0", {"12", "22", "4.7", "0", "0", "0", "1", "0", "0.5", "1", "5", "1000"}, 10, true,
         TraceStop{Trace::Vc, 1}, 1000,
         "Impossibile disegnare vc(t): la tensione di soglia superiore v+ è zero (divisione per zero)."},
        {"Vcc = 0", {"0", "22", "4.7", "0", "0", "0", "1", "8", "4", "0", "5", "1000"}, 10, true,
         TraceStop{Trace::Vo, 1}, 1000,
         "Impossibile disegnare vo(t): la tensione di alimentazione Vcc è zero (divisione per zero)."},
        // vc grows from 1E-40 V; its y passes the single-precision range at sample 918.
        {"vc beyond single precision", {"12", "22", "4.7", "0", "0", "0", "1", "1E-40", "1", "0", "5", "1000"}, 10,
         true, TraceStop{Trace::Vc, 917}, 1000,
         "Impossibile disegnare vc(t): un campione è fuori dalla scala del grafico (il risultato supera il massimo "
         "numero rappresentabile)."},
        {"N = 2147483647", Ideal("5", "2147483647"), 0, false, {}, 0,
         "Impossibile disegnare il grafico con N = 2147483647 campioni per periodo: N + 1 supera il massimo numero "
         "intero a 32 bit (2147483647)."},
        {"NP = 0", Ideal("0", "1000"), 10, true, {}, 1000, nullptr},
        {"N = 1", Ideal("5", "1"), 10, true, {}, 1, nullptr},
        {"N = -1", Ideal("5", "-1"), 10, true, {}, -1, nullptr},
        {"N = -5", Ideal("5", "-5"), 10, true, {}, -1, nullptr},
        {"v- = Vd", {"12", "22", "4.7", "0", "0", "0", "1", "8", "0", "0", "5", "1000"}, 0, false, {}, 0,
         "Impossibile calcolare ts: v- è uguale a Vd (divisione per zero)."},
        // tc is about 6.9E+306 usec: (ts + tc) x NP, or three quarters of it, passes the largest double.
        {"(ts + tc) x NP too large", {"12", "1E307", "4.7", "0", "0", "0", "1", "8", "4", "0", "1000", "1000"}, 0,
         false, {}, 0,
         "Impossibile calcolare i tempi dell'asse orizzontale: il risultato supera il massimo numero rappresentabile."},
        {"3/4 x (ts + tc) x NP too large", {"12", "1E307", "4.7", "0", "0", "0", "1", "8", "4", "0", "20", "1000"}, 2,
         false, {}, 0,
         "Impossibile calcolare i tempi dell'asse orizzontale: il risultato supera il massimo numero rappresentabile."},
    };
    for (const auto& c : cases) {
        run(c.texts);
        EXPECT_EQ(plot.all<LineCall>().size(), kFrameLines) << c.what;
        EXPECT_EQ(plot.all<LabelCall>().size(), c.labels) << c.what;
        // The readout takes a plot's values only once all its labels are placed.
        EXPECT_EQ(plot.all<PlotScale>().size(), c.labels == 10 ? 1u : 0u) << c.what;
        const auto traces = plot.all<TracesCall>();
        ASSERT_EQ(traces.size(), c.traces ? 1u : 0u) << c.what;
        if (c.traces) {
            EXPECT_EQ(traces[0].stop, c.stop) << c.what;
            EXPECT_EQ(traces[0].N, c.requestN) << c.what;
            EXPECT_EQ(traces[0].vc.size(), static_cast<std::size_t>(std::max(c.requestN + 2, 1))) << c.what;
        }
        if (c.message) {
            EXPECT_EQ(messages.shown, std::vector<std::string>{c.message}) << c.what;
        } else {
            EXPECT_TRUE(messages.shown.empty()) << c.what;
        }
    }
}

TEST_F(PlotCommandTest, BuffersBeyondHalfTheMemoryAreRefusedBeforeAllocating) {
    const std::uint64_t needed = 2ull * (2147483646ull + 2) * sizeof(double);
    if (PhysicalMemoryBytes() == 0 || needed <= PhysicalMemoryBytes() / 2) GTEST_SKIP() << "machine too large";
    run(testing::ExampleTexts(Example::Ideal));
    run(Ideal("5", "2147483646"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].rfind("Impossibile disegnare il grafico con N = 2147483646 campioni per periodo: ", 0),
              0u)
        << messages.shown[0];
    EXPECT_TRUE(plot.all<LabelCall>().empty());
}

TEST_F(PlotCommandTest, AReadingFaultComesAfterTheFrame) {
    run(Ideal("5", "1E10"));
    EXPECT_EQ(plot.all<LineCall>().size(), kFrameLines);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].rfind("Impossibile leggere il numero di campioni N. ", 0), 0u);
}

}  // namespace
}  // namespace ostrevo
