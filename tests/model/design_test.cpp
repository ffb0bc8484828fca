#include <gtest/gtest.h>

#include <string>

#include "fakes.h"
#include "module1.h"

namespace ostrevo {
namespace {


const char* const kCurrentWarning = "Controlla la corrente max fornita dall'uscita!";
const char* const kTimeWarning =
    "I tempi di carica o scarica sono comparabili con i tempi di commutazione dell'integrato!";

class DesignCommandTest : public testing::ModuleTest {
protected:

    void run(const char* vcc, const char* c, const char* tc, const char* ts) {
        form.type("Text1", vcc);
        form.type("Text14", c);
        form.type("Text13", tc);
        form.type("Text15", ts);
        messages.shown.clear();
        module.Command4_Click();
    }
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
            module.DecimalSeparator = separator;
            run(c.vcc, c.c, c.tc, c.ts);
            EXPECT_EQ(form.shown("Label31"), c.rcText);
            EXPECT_EQ(form.shown("Text2"), c.rcText);
            EXPECT_EQ(form.shown("Label30"), c.rsText);
            EXPECT_EQ(form.shown("Text9"), c.rsText);
            EXPECT_EQ(form.shown("Text8"), c.cText);
            EXPECT_EQ(module.FormattedValue, c.cText);
            EXPECT_EQ(messages.shown, c.warnings) << c.tc << " " << c.ts;
            for (const char* field : {"Text2", "Text9", "Text8"}) EXPECT_EQ(form.colours[field], kBrightBlue);
        }
    }
}

// The fields show three decimals; the model keeps the full values.
TEST_F(DesignCommandTest, KeepsTheDesignAtFullPrecision) {
    run("12", "1", "10", "5");
    EXPECT_NEAR(module.Parameters.Rc, 14.42695, 1e-5);
    EXPECT_NEAR(module.Parameters.Rs, 7.213475, 1e-6);
    EXPECT_NEAR(module.ChargeCurrent, 0.5545, 1e-4);
    EXPECT_NEAR(module.DischargeCurrent, 1.1090, 1e-4);
    EXPECT_EQ(form.writes, (std::vector<std::string>{"Label30", "Text9", "Label31", "Text2", "Text8"}));
}

TEST_F(DesignCommandTest, CurrentWarningStartsJustAboveTheLimit) {
    // With Vcc 6 V and C 1 nF the current is 4 mA at tc = ln 2 usec.
    run("6", "1", "0.6932", "100");
    EXPECT_TRUE(messages.shown.empty());
    run("6", "1", "0.6931", "100");
    EXPECT_EQ(messages.shown, std::vector<std::string>{kCurrentWarning});
    EXPECT_EQ(module.MissingMessage, kCurrentWarning);
}

TEST_F(DesignCommandTest, AFailedCheckChangesNothing) {
    form.type("Text2", "22");
    module.Parameters.Vcc = 5;
    run("12", "1", "1,0", "5");
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(module.Parameters.Vcc, 5);
    EXPECT_EQ(form.shown("Text2"), "22");
    EXPECT_TRUE(form.colours.empty());
    EXPECT_EQ(module.EntryText, u"1,0");
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
        form.texts.erase("Text8");
        run("12", c.c, c.tc, c.ts);
        EXPECT_EQ(messages.shown, std::vector<std::string>{c.message}) << c.c << " " << c.tc << " " << c.ts;
        EXPECT_EQ(form.texts.count("Text8"), c.fieldsWritten ? 1u : 0u);
    }
    EXPECT_EQ(form.shown("Text2"), "1.443E+01");  // from the last design that got as far as showing it
}

TEST_F(DesignCommandTest, ADesignedValueBeyondTheDoubleRangeNamesItsField) {
    run("12", "1", "1E400", "5");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].rfind("Impossibile leggere il tempo di carica tc. ", 0), 0u) << messages.shown[0];
    EXPECT_EQ(module.Parameters.C, 1);  // read before tc
}

}  // namespace
}  // namespace ostrevo
