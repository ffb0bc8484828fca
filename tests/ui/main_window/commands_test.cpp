#include <QColor>

#include "controls.h"
#include "main_window_fixture.h"

namespace ostrevo::ui::testing {
namespace {

const QString kCurrentWarning = QStringLiteral("Controlla la corrente max fornita dall'uscita!");
const QString kTimeWarning =
    QStringLiteral("I tempi di carica o scarica sono comparabili con i tempi di commutazione dell'integrato!");
const char* const kRealCircuitFields[] = {"Text1", "Text2",  "Text9", "Text10", "Text11", "Text12",
                                          "Text8", "Text3", "Text4", "Text5",  "Text6",  "Text16"};

// --- "Calcola  ts; tc" on the two examples, under two locales ---

struct LocaleCase {
    const char* name;
    QLocale locale;
    QString idealTs, idealTc, realTs, realTc;
};

void PrintTo(const LocaleCase& locale, std::ostream* out) { *out << locale.name; }

class WorkedExamples : public MainWindowTest, public ::testing::WithParamInterface<LocaleCase> {
protected:
    void SetUp() override { open(GetParam().locale); }
};

TEST_P(WorkedExamples, ExampleButtonsThenTimingShowTheTimesWithTheLocaleSeparator) {
    click("Command5");
    click("Command1");
    EXPECT_EQ(label("Label9")->text(), GetParam().idealTs);
    EXPECT_EQ(label("Label11")->text(), GetParam().idealTc);

    click("Command6");
    click("Command1");
    EXPECT_EQ(label("Label9")->text(), GetParam().realTs);
    EXPECT_EQ(label("Label11")->text(), GetParam().realTc);
    EXPECT_TRUE(recorded.messages.isEmpty());
}

TEST_P(WorkedExamples, RealExampleTypedByHandAndStartedFromTheKeyboard) {
    const std::pair<const char*, const char*> typed[] = {
        {"Text1", "12"}, {"Text2", "22"}, {"Text9", "4.7"},  {"Text10", "195"}, {"Text11", "75"},  {"Text12", "5"},
        {"Text8", "1"},  {"Text3", "6.7"}, {"Text4", "5.33"}, {"Text5", "0.6"},  {"Text6", "5"}, {"Text16", "1000"}};
    for (const auto& [name, text] : typed) type(name, text);
    button("Command1")->setFocus();
    QTest::keyClick(button("Command1"), Qt::Key_Space);
    EXPECT_EQ(label("Label9")->text(), GetParam().realTs);
    EXPECT_EQ(label("Label11")->text(), GetParam().realTc);
}

TEST_P(WorkedExamples, DesignTextsAlwaysCarryAPoint) {
    type("Text1", "12");
    type("Text14", "2.2");
    type("Text13", "100");
    type("Text15", "47");
    click("Command4");
    EXPECT_EQ(field("Text2")->text(), "6.558E+01");
    EXPECT_EQ(field("Text9")->text(), "3.082E+01");
    EXPECT_EQ(field("Text8")->text(), "2.200E+00");
}

INSTANTIATE_TEST_SUITE_P(
    Locales, WorkedExamples,
    ::testing::Values(LocaleCase{"Point", QLocale::c(), "3.258", "15.249", "1.221", "5.706"},
                      LocaleCase{"Italian", QLocale(QLocale::Italian, QLocale::Italy), "3,258", "15,249", "1,221",
                                 "5,706"}),
    [](const auto& info) { return std::string(info.param.name); });

// --- "Calcola Rc e Rs" ---

struct DesignCase {
    const char* name;
    const char *C, *tc, *ts;
    const char *rc, *rs, *c;
    QStringList warnings;
};

void PrintTo(const DesignCase& design, std::ostream* out) { *out << design.name; }

class DesignExamples : public MainWindowTest, public ::testing::WithParamInterface<DesignCase> {};

TEST_P(DesignExamples, ResultsGoIntoLabelsAndBlueFieldsAndWarningsFollowInOrder) {
    const DesignCase& design = GetParam();
    type("Text1", "12");
    type("Text14", design.C);
    type("Text13", design.tc);
    type("Text15", design.ts);
    click("Command4");

    EXPECT_EQ(label("Label31")->text(), design.rc);
    EXPECT_EQ(label("Label30")->text(), design.rs);
    EXPECT_EQ(field("Text2")->text(), design.rc);
    EXPECT_EQ(field("Text9")->text(), design.rs);
    EXPECT_EQ(field("Text8")->text(), design.c);
    for (const char* name : {"Text2", "Text9", "Text8"}) EXPECT_EQ(TextColour(field(name)), QColor(0, 0, 255)) << name;
    EXPECT_EQ(TextColour(field("Text1")), QColor(0, 0, 0));
    EXPECT_EQ(recorded.messages, design.warnings);
}

INSTANTIATE_TEST_SUITE_P(
    Warnings, DesignExamples,
    ::testing::Values(
        DesignCase{"NoWarning", "1", "10", "5", "1.443E+01", "7.213E+00", "1.000E+00", {}},
        DesignCase{"CurrentThenTime", "1", "0.1", "5", "1.443E-01", "7.213E+00", "1.000E+00",
                   {kCurrentWarning, kTimeWarning}}),
    [](const auto& info) { return std::string(info.param.name); });

// --- entry check failures change nothing ---

class EntryCheck : public MainWindowTest {
protected:
    QStringList fieldTexts() {
        QStringList texts;
        for (const char* name : kRealCircuitFields) texts << field(name)->text();
        for (const char* name : {"Text13", "Text14", "Text15"}) texts << field(name)->text();
        return texts;
    }
    QStringList resultTexts() {
        QStringList texts;
        for (const char* name : {"Label9", "Label11", "Label30", "Label31"}) texts << label(name)->text();
        return texts;
    }
};

TEST_F(EntryCheck, TimingStopsAtTheFirstBadFieldAndLeavesEverythingAsItWas) {
    click("Command6");
    click("Command1");
    type("Text9", "4,7");
    type("Text10", "");
    const QStringList fieldsBefore = fieldTexts();
    const QStringList resultsBefore = resultTexts();

    click("Command1");

    ASSERT_EQ(recorded.messages.size(), 1);
    EXPECT_TRUE(recorded.messages[0].startsWith("Errore di inserimento dati per il valore di Rs in kohm."));
    EXPECT_EQ(fieldTexts(), fieldsBefore);
    EXPECT_EQ(resultTexts(), resultsBefore);
}

TEST_F(EntryCheck, DesignStopsOnAnEmptyFieldAndLeavesFieldsLabelsAndColoursAsTheyWere) {
    type("Text1", "12");
    type("Text14", "1");
    type("Text13", "10");
    type("Text15", "5");
    click("Command4");
    type("Text13", "");
    const QStringList fieldsBefore = fieldTexts();
    const QStringList resultsBefore = resultTexts();

    click("Command4");

    EXPECT_EQ(recorded.messages,
              QStringList{"Hai dimenticato di scrivere il valore del tempo di carica tc in usec"});
    EXPECT_EQ(fieldTexts(), fieldsBefore);
    EXPECT_EQ(resultTexts(), resultsBefore);
    EXPECT_EQ(TextColour(field("Text2")), QColor(0, 0, 255));
}

TEST_F(EntryCheck, PlotRefusedBeforeAnythingIsShownAndTheMessageWaitsWithTheNormalCursor) {
    click("Command6");
    type("Text1", "");
    click("Command2");
    EXPECT_EQ(recorded.messages, QStringList{"Hai dimenticato di scrivere la tensione di alimentazione Vcc"});
    EXPECT_EQ(recorded.shownUnderOverrideCursor, 0);
    EXPECT_EQ(plot.timesShown, 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// --- example buttons and the plot command ---

using ExampleButtons = MainWindowTest;

TEST_F(ExampleButtons, FillOnlyTheRealCircuitFieldsAndTheLaterButtonWins) {
    type("Text14", "2.2");
    click("Command6");
    click("Command5");
    click("Command5");
    const char* ideal[] = {"12", "22", "4.7", "0", "0", "0", "1", "8", "4", "0", "5", "1000"};
    for (std::size_t i = 0; i < std::size(kRealCircuitFields); ++i) {
        EXPECT_EQ(field(kRealCircuitFields[i])->text(), ideal[i]) << kRealCircuitFields[i];
    }
    EXPECT_EQ(field("Text14")->text(), "2.2");
    EXPECT_TRUE(recorded.messages.isEmpty());
}

TEST_F(ExampleButtons, DesignedFieldsStayBlueWithTheExampleTextAndResultsStay) {
    type("Text1", "12");
    type("Text14", "1");
    type("Text13", "10");
    type("Text15", "5");
    click("Command4");
    click("Command6");
    EXPECT_EQ(field("Text2")->text(), "22");
    EXPECT_EQ(field("Text9")->text(), "4.7");
    EXPECT_EQ(field("Text8")->text(), "1");
    for (const char* name : {"Text2", "Text9", "Text8"}) EXPECT_EQ(TextColour(field(name)), QColor(0, 0, 255)) << name;
    EXPECT_EQ(label("Label31")->text(), "1.443E+01");
    EXPECT_EQ(label("Label30")->text(), "7.213E+00");
    EXPECT_EQ(field("Text13")->text(), "10");
}

TEST_F(ExampleButtons, PlotRunsUnderTheBusyCursorAndGivesItBack) {
    click("Command6");
    click("Command2");
    EXPECT_EQ(plot.timesShown, 1);
    EXPECT_EQ(plot.timesShownWithBusyCursor, 1);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(recorded.messages.isEmpty());
}

}  // namespace
}  // namespace ostrevo::ui::testing
