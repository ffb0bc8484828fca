#include <gtest/gtest.h>

#include <string>

#include "circuit_commands.h"
#include "design.h"
#include "fakes.h"

namespace ostrevo {
namespace {


const char* const kCurrentWarning = "Controlla la corrente max fornita dall'uscita!";
const char* const kTimeWarning =
    "I tempi di carica o scarica sono comparabili con i tempi di commutazione dell'integrato!";

class DesignCommandTest : public ::testing::Test {
protected:
    void run(const char* vcc, const char* c, const char* tc, const char* ts, const char* separator = ".") {
        form.type("Text1", vcc);
        form.type("Text14", c);
        form.type("Text13", tc);
        form.type("Text15", ts);
        messages.shown.clear();
        CircuitCommands(form, messages, separator).designResistors();
    }

    testing::FakeForm form;
    testing::FakeMessages messages;
};

TEST_F(DesignCommandTest, DesignsTheResistorsAndWarnsInOrder) {
    const struct {
        const char* vcc;
        const char* c;
        const char* tc;
        const char* ts;
        const char* rcText;
        const char* rsText;
        const char* cText;
        std::vector<std::string> warnings;
    } cases[] = {
        {"12", "1", "10", "5", "1.443E+01", "7.213E+00", "1.000E+00", {}},
        {"12", "1", "1", "1", "1.443E+00", "1.443E+00", "1.000E+00", {kCurrentWarning}},
        {"12", "1", "0.1", "5", "1.443E-01", "7.213E+00", "1.000E+00", {kCurrentWarning, kTimeWarning}},
        {"12", "2.2", "100", "47", "6.558E+01", "3.082E+01", "2.200E+00", {}},
        {"0.3", "1", "0.05", "100", "7.213E-02", "1.443E+02", "1.000E+00", {kTimeWarning}},
        {"-12", "-1", "10", "5", "-1.443E+01", "-7.213E+00", "-1.000E+00", {}},  // negatives stay readable
    };
    for (const auto& c : cases) {
        for (const char* separator : {".", ","}) {
            run(c.vcc, c.c, c.tc, c.ts, separator);
            EXPECT_EQ(form.shown("Label31"), c.rcText);
            EXPECT_EQ(form.shown("Text2"), c.rcText);
            EXPECT_EQ(form.shown("Label30"), c.rsText);
            EXPECT_EQ(form.shown("Text9"), c.rsText);
            EXPECT_EQ(form.shown("Text8"), c.cText);
            EXPECT_EQ(messages.shown, c.warnings) << c.tc << " " << c.ts;
            for (const char* field : {"Text2", "Text9", "Text8"}) EXPECT_EQ(form.colours[field], kDesignedFieldColour);
        }
    }
}

// The fields show three decimals; the design itself keeps the full values.
TEST_F(DesignCommandTest, KeepsTheDesignAtFullPrecision) {
    const Resistors resistors = DesignResistors({12, 1, 10, 5});
    EXPECT_NEAR(resistors.Rc, 14.42695, 1e-5);
    EXPECT_NEAR(resistors.Rs, 7.213475, 1e-6);
    run("12", "1", "10", "5");
    EXPECT_EQ(form.writtenControls(), (std::vector<std::string>{"Label30", "Text9", "Label31", "Text2", "Text8"}));
}

TEST_F(DesignCommandTest, CurrentWarningStartsJustAboveTheLimit) {
    // With Vcc 6 V and C 1 nF the current is 4 mA at tc = ln 2 usec.
    run("6", "1", "0.6932", "100");
    EXPECT_TRUE(messages.shown.empty());
    run("6", "1", "0.6931", "100");
    EXPECT_EQ(messages.shown, std::vector<std::string>{kCurrentWarning});
}

TEST_F(DesignCommandTest, AFailedCheckChangesNothing) {
    form.type("Text2", "22");
    run("12", "1", "1,0", "5");
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(form.shown("Text2"), "22");
    EXPECT_TRUE(form.colours.empty());
    EXPECT_TRUE(form.writes.empty());
}

TEST_F(DesignCommandTest, ArithmeticFaultsStopAtTheirStep) {
    const struct {
        const char* c;
        const char* tc;
        const char* ts;
        const char* message;
        bool fieldsWritten;
    } cases[] = {
        {"0", "10", "5", "Impossibile calcolare Rc: la capacità C è zero (divisione per zero).", false},
        {"0", "0", "5", "Impossibile calcolare Rc: la capacità C è zero (divisione per zero).", false},
        {"1", "0", "5", "Impossibile calcolare la corrente di carica: Rc è zero (divisione per zero).", true},
        {"1", "10", "0", "Impossibile calcolare la corrente di scarica: Rs è zero (divisione per zero).", true},
        {"1E-300", "1E300", "5", "Impossibile calcolare Rc: il risultato supera il massimo numero rappresentabile.",
         false},
    };
    for (const auto& c : cases) {
        form.writes.clear();
        run("12", c.c, c.tc, c.ts);
        EXPECT_EQ(messages.shown, std::vector<std::string>{c.message}) << c.c << " " << c.tc << " " << c.ts;
        EXPECT_EQ(form.wrote("Text8"), c.fieldsWritten);
    }
    EXPECT_EQ(form.shown("Text2"), "1.443E+01");  // from the last design that got as far as showing it
}

// The fields are read in the order Vcc, C, tc, ts: the first unreadable one is named.
TEST_F(DesignCommandTest, ADesignedValueBeyondTheDoubleRangeNamesItsField) {
    const struct {
        const char* c;
        const char* tc;
        const char* subject;
    } cases[] = {{"1", "1E400", "il tempo di carica tc"}, {"1E400", "1E400", "la capacità C"}};
    for (const auto& c : cases) {
        run("12", c.c, c.tc, "1E400");
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].rfind(std::string("Impossibile leggere ") + c.subject + ". ", 0), 0u)
            << messages.shown[0];
    }
}

}  // namespace
}  // namespace ostrevo
