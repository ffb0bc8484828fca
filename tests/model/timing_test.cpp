#include <gtest/gtest.h>

#include <string>

#include "circuit_commands.h"
#include "circuit_examples.h"
#include "field_reading.h"
#include "timing.h"

namespace ostrevo {
namespace {

using testing::CircuitTexts;

const CircuitTexts kIdealCircuit = testing::ExampleTexts(Example::Ideal);
const CircuitTexts kRealCircuit = testing::ExampleTexts(Example::Real);

class TimingCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.type("Label9", "old ts");
        form.type("Label11", "old tc");
    }
    void run(const CircuitTexts& texts, const char* separator = ".") {
        testing::TypeCircuit(form, texts);
        CircuitCommands(form, messages, separator).computeTimes();
    }

    testing::FakeForm form;
    testing::FakeMessages messages;
};

// The worked examples, then results that look odd but are no fault.
TEST_F(TimingCommandTest, WorkedExamplesAndOddResults) {
    const struct {
        CircuitTexts texts;
        const char* separator;
        double ts, tc;
        const char* label9;
        const char* label11;
    } cases[] = {
        {kIdealCircuit, ".", 3.2577917, 15.2492379, "3.258", "15.249"},
        {kRealCircuit, ".", 1.2206589, 5.7057813, "1.221", "5.706"},
        {kRealCircuit, ",", 1.2206589, 5.7057813, "1,221", "5,706"},
        // thresholds swapped; v+ equal to v-; no capacitance; a tiny capacitor
        {{"12", "22", "4.7", "0", "0", "0", "1", "4", "8", "0", "5", "1000"}, ".", -3.2577917, -15.2492379, "-3.258",
         "-15.249"},
        {{"12", "22", "4.7", "0", "0", "0", "1", "6", "6", "0", "5", "1000"}, ".", 0, 0, "0", "0"},
        {{"12", "22", "4.7", "0", "0", "0", "0", "8", "4", "0", "5", "1000"}, ".", 0, 0, "0", "0"},
        {{"12", "22", "4.7", "0", "0", "0", "1E-6", "8", "4", "0", "5", "1000"}, ".", 3.2577917e-6, 1.52492379e-5, "0",
         "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ts);
        run(c.texts, c.separator);
        const CircuitParameters p = ReadCircuit(form, kTimingReadOrder);
        EXPECT_NEAR(DischargeTime(p), c.ts, 1e-7);
        EXPECT_NEAR(ChargeTime(p), c.tc, 1e-7);
        EXPECT_EQ(form.shown("Label9"), c.label9);
        EXPECT_EQ(form.shown("Label11"), c.label11);
        EXPECT_TRUE(messages.shown.empty());
    }
    EXPECT_EQ(form.writes[0].control, "Label9");
    EXPECT_EQ(form.writes[1].control, "Label11");
}

TEST_F(TimingCommandTest, AFailedCheckKeepsTheOldResults) {
    CircuitTexts texts = kRealCircuit;
    texts.rc = "";
    texts.rs = "abc";
    run(texts);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Hai dimenticato di scrivere il valore di Rc in kohm"});
    EXPECT_TRUE(form.writes.empty());
    EXPECT_EQ(form.shown("Label9"), "old ts");
    EXPECT_EQ(form.shown("Label11"), "old tc");
}

TEST_F(TimingCommandTest, ReadingFaultComesBeforeAnyEntryMessage) {
    CircuitTexts texts = kRealCircuit;
    texts.n = "1E10";
    texts.rc = "";  // would fail the check
    run(texts);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].rfind("Impossibile leggere il numero di campioni N. ", 0), 0u) << messages.shown[0];
    EXPECT_EQ(form.shown("Label9"), "old ts");
}

// Each fault: one message, the command stops at its step and keeps what it wrote before;
// each case also shows that the command works again after the fault before it.
TEST_F(TimingCommandTest, ArithmeticFaultsStopAtTheirStep) {
    const struct {
        const char* what;
        CircuitTexts texts;
        const char* message;
        const char* label9;
    } cases[] = {
        {"v- equal to Vd", {"12", "22", "4.7", "0", "0", "0", "1", "8", "0.6", "0.6", "5", "1000"},
         "Impossibile calcolare ts: v- è uguale a Vd (divisione per zero).", "old ts"},
        {"v+ and v- equal to Vd", {"12", "22", "4.7", "0", "0", "0", "1", "0.6", "0.6", "0.6", "5", "1000"},
         "Impossibile calcolare ts: v+ e v- sono entrambe uguali a Vd (0/0, operazione non valida).", "old ts"},
        {"v+ equal to Vd", {"12", "22", "4.7", "0", "0", "0", "1", "0.6", "4", "0.6", "5", "1000"},
         "Impossibile calcolare ts: v+ è uguale a Vd (logaritmo di zero).", "old ts"},
        {"Vd between the thresholds", {"12", "22", "4.7", "0", "0", "0", "1", "8", "4", "5", "5", "1000"},
         "Impossibile calcolare ts: v+ e v- stanno da parti opposte rispetto a Vd (logaritmo di un numero negativo).",
         "old ts"},
        {"v+ equal to Vcc - Vd", {"12", "22", "4.7", "0", "0", "0", "1", "11.5", "4", "0.5", "5", "1000"},
         "Impossibile calcolare tc: v+ è uguale a Vcc - Vd (divisione per zero).", "5.382"},
        {"both equal to Vcc - Vd", {"12", "22", "4.7", "0", "0", "0", "1", "11.5", "11.5", "0.5", "5", "1000"},
         "Impossibile calcolare tc: v+ e v- sono entrambe uguali a Vcc - Vd (0/0, operazione non valida).", "0"},
        {"v- equal to Vcc - Vd", {"12", "22", "4.7", "0", "0", "0", "1", "8", "11.5", "0.5", "5", "1000"},
         "Impossibile calcolare tc: v- è uguale a Vcc - Vd (logaritmo di zero).", "-1.8"},
        {"Vcc - Vd between the thresholds", {"12", "22", "4.7", "0", "0", "0", "1", "12", "8", "0.5", "5", "1000"},
         "Impossibile calcolare tc: v+ e v- stanno da parti opposte rispetto a Vcc - Vd (logaritmo di un numero "
         "negativo).",
         "2.009"},
        {"thresholds too large", {"12", "22", "4.7", "0", "0", "0", "1", "1E308", "1E-308", "-1E308", "5", "1000"},
         "Impossibile calcolare ts: il risultato supera il massimo numero rappresentabile.", "old ts"},
        {"time beyond the double range", {"12", "22", "1E300", "0", "0", "0", "1E300", "8", "4", "0", "5", "1000"},
         "Impossibile calcolare ts: il risultato supera il massimo numero rappresentabile.", "old ts"},
    };
    for (const auto& c : cases) {
        form.type("Label9", "old ts");
        form.type("Label11", "old tc");
        messages.shown.clear();
        run(c.texts);
        EXPECT_EQ(messages.shown, std::vector<std::string>{c.message}) << c.what;
        EXPECT_EQ(form.shown("Label9"), c.label9) << c.what;
        EXPECT_EQ(form.shown("Label11"), "old tc") << c.what;
    }
}

}  // namespace
}  // namespace ostrevo
