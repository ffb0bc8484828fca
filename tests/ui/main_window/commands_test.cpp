#include <QClipboard>
#include <QColor>
#include <QGuiApplication>

#include "controls.h"
#include "main_window_fixture.h"

namespace ostrevo::ui::testing {
namespace {

const QString kCurrentWarning = QStringLiteral("Controlla la corrente max fornita dall'uscita!");
const QString kTimeWarning =
    QStringLiteral("I tempi di carica o scarica sono comparabili con i tempi di commutazione dell'integrato!");

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

// The ideal example from its button and the mouse, the real one typed by
// hand and started from the keyboard.
TEST_P(WorkedExamples, TimesShowWithTheLocaleSeparator) {
    click("Command5");
    click("Command1");
    EXPECT_EQ(label("Label9")->text(), GetParam().idealTs);
    EXPECT_EQ(label("Label11")->text(), GetParam().idealTc);

    const std::pair<const char*, const char*> typed[] = {
        {"Text1", "12"}, {"Text2", "22"}, {"Text9", "4.7"},  {"Text10", "195"}, {"Text11", "75"},  {"Text12", "5"},
        {"Text8", "1"},  {"Text3", "6.7"}, {"Text4", "5.33"}, {"Text5", "0.6"},  {"Text6", "5"}, {"Text16", "1000"}};
    for (const auto& [name, text] : typed) type(name, text);
    button("Command1")->setFocus();
    QTest::keyClick(button("Command1"), Qt::Key_Space);
    EXPECT_EQ(label("Label9")->text(), GetParam().realTs);
    EXPECT_EQ(label("Label11")->text(), GetParam().realTc);
    EXPECT_TRUE(recorded.messages.isEmpty());
}

TEST_P(WorkedExamples, DesignTextsAlwaysCarryAPoint) {
    design("2.2", "100", "47");
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

using Design = MainWindowTest;

TEST_F(Design, ResultsGoIntoLabelsAndBlueFieldsAndWarningsFollowInOrder) {
    design("1", "0.1", "5");
    EXPECT_EQ(label("Label31")->text(), "1.443E-01");
    EXPECT_EQ(label("Label30")->text(), "7.213E+00");
    EXPECT_EQ(field("Text2")->text(), "1.443E-01");
    EXPECT_EQ(field("Text9")->text(), "7.213E+00");
    EXPECT_EQ(field("Text8")->text(), "1.000E+00");
    for (const char* name : {"Text2", "Text9", "Text8"}) EXPECT_EQ(TextColour(field(name)), QColor(0, 0, 255)) << name;
    EXPECT_EQ(TextColour(field("Text1")), QColor(0, 0, 0));
    EXPECT_EQ(recorded.messages, QStringList({kCurrentWarning, kTimeWarning}));
}

// --- entry check failures change nothing ---

class EntryCheck : public MainWindowTest {
protected:
    QStringList fieldAndResultTexts() {
        QStringList texts;
        for (const QLineEdit* edit : form().findChildren<QLineEdit*>()) texts << edit->text();
        for (const char* name : {"Label9", "Label11", "Label30", "Label31"}) texts << label(name)->text();
        return texts;
    }
};

TEST_F(EntryCheck, AFailedCheckStopsAtTheFirstBadFieldAndLeavesFieldsResultsAndColours) {
    click("Command6");
    click("Command1");
    design("1", "10", "5");
    const struct {
        std::pair<const char*, const char*> typed[2];
        const char* command;
        const char* message;  // its beginning
    } cases[] = {
        {{{"Text9", "4,7"}, {"Text10", ""}}, "Command1", "Errore di inserimento dati per il valore di Rs in kohm."},
        {{{"Text13", ""}, {"Text15", "x"}}, "Command4", "Hai dimenticato di scrivere il valore del tempo di carica tc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        for (const auto& [name, text] : c.typed) type(name, text);
        const QStringList before = fieldAndResultTexts();
        recorded.messages.clear();
        click(c.command);
        ASSERT_EQ(recorded.messages.size(), 1);
        EXPECT_TRUE(recorded.messages[0].startsWith(c.message)) << recorded.messages[0].toStdString();
        EXPECT_EQ(fieldAndResultTexts(), before);
        EXPECT_EQ(TextColour(field("Text2")), QColor(0, 0, 255));
    }
}

// Every field keeps a pasted text whole, and the check sees its last character.
TEST_F(EntryCheck, AHundredThousandCharactersArePastedWholeAndCheckedToTheEnd) {
    const QString longText = QString(99999, u'1') + u'x';
    QGuiApplication::clipboard()->setText(longText);
    for (QLineEdit* target : form().findChildren<QLineEdit*>()) {
        target->setFocus();
        target->selectAll();
        QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(target->text(), longText) << target->objectName().toStdString();
    }
    click("Command2");  // checks every field before it reads one
    ASSERT_EQ(recorded.messages.size(), 1);
    EXPECT_TRUE(recorded.messages[0].startsWith("Errore di inserimento dati per la tensione di alimentazione Vcc."));
}

TEST_F(EntryCheck, PlotRefusedBeforeAnythingIsShownAndTheMessageWaitsWithTheNormalCursor) {
    click("Command6");
    type("Text1", "");
    click("Command2");
    EXPECT_EQ(recorded.messages, QStringList{"Hai dimenticato di scrivere la tensione di alimentazione Vcc"});
    EXPECT_EQ(recorded.shownUnderOverrideCursor, 0);
    EXPECT_EQ(timesShown, 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// --- example buttons and the plot command ---

using ExampleButtons = MainWindowTest;

// What they write shows in the worked examples; here: nothing else.
TEST_F(ExampleButtons, FillOnlyTheRealCircuitFields) {
    type("Text14", "2.2");
    click("Command5");
    EXPECT_EQ(field("Text14")->text(), "2.2");
    EXPECT_TRUE(recorded.messages.isEmpty());
}

TEST_F(ExampleButtons, DesignedFieldsStayBlueWithTheExampleTextAndResultsStay) {
    design("1", "10", "5");
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
    EXPECT_EQ(timesShown, 1);
    EXPECT_EQ(timesShownWithBusyCursor, 1);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(recorded.messages.isEmpty());
}

}  // namespace
}  // namespace ostrevo::ui::testing
