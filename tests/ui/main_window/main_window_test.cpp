// The main window through its controls: examples, design, entry check, closing, keyboard, what it draws.
#include <QClipboard>
#include <QStyle>
#include <QTimer>
#include <functional>

#include "controls.h"
#include "quit_when_nothing_visible.h"
#include "ui_fixture.h"

namespace ostrevo::ui::testing {
namespace {

TEST_F(MainWindowTest, WorkedExamplesInBothLocalesAndDesignTextsAlwaysWithAPoint) {
    for (const auto& [locale, ideal, real] : {std::tuple{QLocale::c(), "3.258 15.249", "1.221 5.706"},
                                              {QLocale(QLocale::Italian, QLocale::Italy), "3,258 15,249", "1,221 5,706"}}) {
        open(locale);
        clickBoth("Command5", "Command1");
        EXPECT_EQ(text("Label9") + " " + text("Label11"), ideal);
        clickBoth("Command6", "Command1");
        EXPECT_EQ(text("Label9") + " " + text("Label11"), real);
        design("2.2", "100", "47");
        EXPECT_EQ(text("Text2") + " " + text("Text9") + " " + text("Text8"), "6.558E+01 3.082E+01 2.200E+00");
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MainWindowTest, DesignWritesBlueTextsThenWarnsInOrderAndExampleKeepsTheColour) {
    design("1", "0.1", "5");
    EXPECT_EQ(QStringList({text("Label31"), text("Label30"), text("Text2"), text("Text9"), text("Text8")}).join(' '),
              "1.443E-01 7.213E+00 1.443E-01 7.213E+00 1.000E+00");
    EXPECT_EQ(messages,
              QStringList({"Controlla la corrente max fornita dall'uscita!",
                           "I tempi di carica o scarica sono comparabili con i tempi di commutazione dell'integrato!"}));
    click("Command6");  // writes only the real circuit: the design's data and results stay
    EXPECT_EQ(text("Text2") + " " + text("Text14") + " " + text("Label31"), "22 1 1.443E-01");
    for (const char* name : {"Text2", "Text9", "Text8"}) EXPECT_EQ(TextColour(control(name)), QColor(0, 0, 255)) << name;
    EXPECT_EQ(TextColour(control("Text1")), QColor(0, 0, 0));
}

TEST_F(MainWindowTest, AFailedCheckStopsAtTheFirstBadFieldAndChangesNothing) {
    clickBoth("Command6", "Command1");
    design("1", "10", "5");
    const auto shown = [this] {
        QStringList texts{text("Label9"), text("Label11"), text("Label30"), text("Label31")};
        for (const QLineEdit* field : form().findChildren<QLineEdit*>()) texts << field->text();
        return texts;
    };
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {  // two fields, command, message
        {"Text9", "Text10", "Command1", "Errore di inserimento dati per il valore di Rs in kohm."},
        {"Text15", "Text13", "Command4", "Hai dimenticato di scrivere il valore del tempo di carica tc"}};
    for (const auto& [bad, empty, command, message] : cases) {
        type(bad, "4,7");
        type(empty, "");
        const QStringList before = shown();
        messages.clear();
        click(command);
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].startsWith(message)) << messages[0].toStdString();
        EXPECT_EQ(shown(), before);
        EXPECT_EQ(TextColour(control("Text2")), QColor(0, 0, 255));
    }
}

// "Grafici" checks every field to its last character before it creates the waveform window.
TEST_F(MainWindowTest, AHundredThousandCharactersArePastedWholeAndCheckedToTheEnd) {
    const QString longText = QString(99999, u'1') + u'x';
    QGuiApplication::clipboard()->setText(longText);
    for (QLineEdit* field : form().findChildren<QLineEdit*>()) {
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(field->text(), longText) << field->objectName().toStdString();
    }
    click("Command2");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("Errore di inserimento dati per la tensione di alimentazione Vcc."));
    EXPECT_EQ(shownUnderBusyCursor, 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(host.window(), nullptr);
}

class Closing : public MainWindowTest {
protected:
    // Runs the event loop from `first`: 0 when the program quit, -1 when it was still running after ample time.
    int runEventLoop(const std::function<void()>& first) {
        QTimer::singleShot(0, &form(), first);
        QTimer stillRunning;
        QObject::connect(&stillRunning, &QTimer::timeout, [] { QApplication::exit(-1); });
        stillRunning.start(10000);
        return QApplication::exec();
    }
    void press(QWidget* focused, Qt::Key key) {
        focused->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(focused->window()));
        focused->setFocus();
        QTest::keyClick(focused, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    }
    QuitWhenNothingVisible quitWhenNothingVisible;  // as the program has
};

TEST_F(Closing, EsciOrTheFrameEndsTheProgramAndTheWaveformEsciAloneDoesNot) {
    EXPECT_EQ(runEventLoop([this] { form().close(); }), 0);  // without a plot
    form().show();
    clickBoth("Command6", "Command2");
    const auto waveformEsci = [this] {
        click("Command1", &plot());
        QTimer::singleShot(0, [] { QApplication::exit(7); });
    };
    EXPECT_EQ(runEventLoop(waveformEsci), 7);  // still running
    EXPECT_TRUE(form().isVisible());

    clickBoth("Command6", "Command2");
    bool waveformStillOpen = false;
    const auto closeMainThenWaveform = [&] {
        form().close();
        QTimer::singleShot(0, [&] { waveformStillOpen = plot().isVisible(); plot().exitWindow(); });
    };
    EXPECT_EQ(runEventLoop(closeMainThenWaveform), 0);
    EXPECT_TRUE(waveformStillOpen);

    form().show();
    clickBoth("Command6", "Command2");
    EXPECT_EQ(runEventLoop([this] { click("Command3"); }), 0);
    EXPECT_FALSE(form().isVisible() || plot().isVisible());
}

TEST_F(Closing, ReturnEnterAndSpacePressTheFocusedButtonButNotFromAField) {
    for (const auto& [field, typed] : {std::pair{"Text14", "1"}, {"Text13", "10"}, {"Text15", "5"}}) type(field, typed);
    click("Command6");
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) press(control("Text1"), key);
    EXPECT_TRUE(text("Label9").isEmpty());  // no button is the default one
    EXPECT_EQ(host.window(), nullptr);

    const std::tuple<const char*, const char*, const char*> buttons[] = {  // each button, a text it writes, its value
        {"Command5", "Text3", "8"}, {"Command6", "Text3", "6.7"}, {"Command1", "Label9", "1.221"},
        {"Command4", "Label31", "1.443E+01"}};
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        form().show();
        for (const auto& [button, written, expected] : buttons) {
            form().setText(ControlName(written), "");
            press(control(button), key);
            EXPECT_EQ(text(written), expected) << key << " on " << button;
        }
        host.ensureCreated();
        plot().hide();
        press(control("Command2"), key);
        EXPECT_TRUE(plot().isVisible()) << key;
        WaveformWindow* plotted = &plot();
        press(control("Command1", plotted), key);  // its "Esci": a fresh hidden window
        EXPECT_TRUE(&plot() != plotted && !plot().isVisible()) << key;
        EXPECT_EQ(runEventLoop([&] { press(control("Command3"), key); }), 0) << key;  // "Esci"
    }
    EXPECT_TRUE(messages.isEmpty());
}

// Empty result boxes are white and bordered; the design block has a two pixel red outline and no fill.
TEST_F(MainWindowTest, ResultBoxesDesignFrameAndSchematicAsDrawn) {
    const QImage shot = form().grab().toImage();
    for (const char* name : {"Label9", "Label11", "Label30", "Label31"}) {
        const QRect box = control(name)->geometry();
        EXPECT_EQ(shot.pixel(box.center()), qRgb(255, 255, 255)) << name;
        for (const QPoint corner : {box.topLeft(), box.bottomRight()}) EXPECT_NE(shot.pixel(corner), qRgb(255, 255, 255)) << name;
    }
    const QRect frame = control("Shape1")->geometry();
    const QPoint top = frame.topLeft() + QPoint(5, 0), right = frame.bottomRight() - QPoint(1, 20);
    const std::pair<QPoint, bool> redOrNot[] = {{top, true},   {top + QPoint(0, 1), true},   {top + QPoint(0, 2), false},
                                                {right, true}, {right - QPoint(1, 0), false}, {frame.center(), false}};
    for (const auto& [point, red] : redOrNot) {
        EXPECT_EQ(shot.pixel(point) == qRgb(255, 0, 0), red) << point.x() << ", " << point.y();
    }
}

// In the face actually used, wrapped at blanks as the control draws it.
TEST_F(MainWindowTest, EveryCaptionAndResultFitsItsControl) {
    clickBoth("Command6", "Command1");
    design("2.2", "0.1", "-47");
    type("Text5", "0.6");
    click("Command2");
    const auto fits = [](const QWidget* control, const QString& caption, const QRect& room) {
        const QSize needed = WrappedCaptionSize(caption, QFontMetrics(control->font()), room.width());
        EXPECT_TRUE(needed.width() <= room.width() && needed.height() <= room.height())
            << control->objectName().toStdString() << " needs " << needed.width() << "x" << needed.height();
    };
    for (QWidget* window : {static_cast<QWidget*>(&form()), static_cast<QWidget*>(&plot())}) {
        for (const QLabel* label : window->findChildren<QLabel*>()) fits(label, label->text(), LabelTextRect(*label));
        for (const QPushButton* button : window->findChildren<QPushButton*>()) {
            fits(button, button->text(), ButtonTextRect(*button));
            const bool example = button->objectName() == "Command5" || button->objectName() == "Command6";
            EXPECT_EQ(WrapAtBlanks(button->text(), QFontMetrics(button->font()), ButtonTextRect(*button).width()).size(),
                      example ? 2 : 1) << button->objectName().toStdString();  // wrapped at blanks only
        }
    }
    for (const QLineEdit* field : form().findChildren<QLineEdit*>()) {
        const int frame = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, field);
        const int room = field->width() - 2 * frame - 4;  // the line edit's own side margins
        EXPECT_LE(QFontMetrics(field->font()).horizontalAdvance(field->text()), room) << field->objectName().toStdString();
    }
}

}  // namespace
}  // namespace ostrevo::ui::testing
