#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QAbstractButton>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "controls.h"
#include "recording_messages.h"

namespace ostrevo::ui {
namespace {

TEST(Twips, FifteenTwipsMakeOneLogicalPixel) {
    const struct {
        int twips;
        int pixels;
    } cases[] = {{0, 0}, {15, 1}, {7410, 494}, {6015, 401}, {14895, 993}, {8460, 564}, {22, 1}, {23, 2}};
    for (const auto& c : cases) EXPECT_EQ(TwipsToPixels(c.twips), c.pixels) << c.twips;
    EXPECT_EQ(TwipsRect({360, 360, 7410, 6015}), QRect(24, 24, 494, 401));
}

TEST(ControlFont, ElevenPixelsBoldOrRegular) {
    EXPECT_EQ(ControlFont().pixelSize(), 11);
    EXPECT_TRUE(ControlFont().bold());
    EXPECT_FALSE(ControlFont(FontWeight::Regular).bold());
    EXPECT_EQ(ControlFont().family(), QStringLiteral("MS Sans Serif"));
}

TEST(ControlFont, NarrowFallbackStandsInForTheMissingFace) {
    InstallFontFallbacks();
    const QString resolved = QFontInfo(ControlFont()).family();
    if (resolved == kControlFamily) GTEST_SKIP() << "the designed face is installed";
    EXPECT_EQ(resolved, QStringLiteral("Liberation Sans"));
}

TEST(Controls, FactoriesSetNameGeometryFontAndLook) {
    QWidget window;
    LabelLook resultLook;
    resultLook.border = true;
    resultLook.background = Qt::white;
    resultLook.alignment = Qt::AlignRight;
    auto* label = MakeLabel(&window, "Label9", "1.5", {3435, 7215, 1860, 330}, resultLook);
    EXPECT_EQ(label->objectName(), "Label9");
    EXPECT_EQ(label->geometry(), QRect(229, 481, 124, 22));
    EXPECT_TRUE(label->font().bold());
    EXPECT_TRUE(label->alignment() & Qt::AlignRight);
    EXPECT_EQ(label->palette().color(label->backgroundRole()), QColor(Qt::white));
    EXPECT_GT(label->frameWidth(), 0);

    LabelLook creditLook;
    creditLook.weight = FontWeight::Regular;
    auto* credit = MakeLabel(&window, "Label67", "x", {0, 0, 150, 150}, creditLook);
    EXPECT_FALSE(credit->font().bold());
    EXPECT_EQ(credit->frameWidth(), 0);

    auto* field = MakeTextField(&window, "Text1", "5", {8520, 435, 1800, 330});
    EXPECT_EQ(field->text(), "5");
    EXPECT_TRUE(field->alignment() & Qt::AlignRight);
    EXPECT_EQ(field->maxLength(), 32767);  // Qt's default: no limit of our own

    auto* option = MakeOptionButton(&window, "Option1", "vc(t)", {0, 0, 900, 300}, Qt::red);
    EXPECT_EQ(TextColour(option), QColor(Qt::red));
}

TEST(Controls, TextColourOfAFieldIsTheColourItsTextIsPaintedIn) {
    QWidget window;
    auto* field = MakeTextField(&window, "Text2", "22", {0, 0, 1800, 330});
    SetTextColour(field, Qt::blue);
    EXPECT_EQ(TextColour(field), QColor(Qt::blue));
    EXPECT_EQ(field->palette().color(QPalette::Text), QColor(Qt::blue));
}

TEST(WrappingButton, StaysAPushButtonThatClicksOnSpace) {
    QWidget window;
    auto* button = MakeButton(&window, "Command5", "Ostrevo ideale, dati esempio", {0, 0, 1935, 735});
    window.show();
    button->setFocus();
    QSignalSpy clicks(button, &QPushButton::clicked);
    QTest::keyClick(button, Qt::Key_Space);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_EQ(button->text(), "Ostrevo ideale, dati esempio");
    EXPECT_FALSE(button->autoDefault());
}

TEST(WrapAtBlanks, BreaksOnlyAtBlanksAndKeepsBlanksInsideALine) {
    const QFontMetrics metrics(ControlFont());
    const struct {
        QString text;
        QString widthOf;  // the room is as wide as this text
        QStringList lines;
    } cases[] = {
        {"aaa bbb ccc", "aaa bbb", {"aaa bbb", "ccc"}},
        {"ts  con v+", "ts  con v+", {"ts  con v+"}},
        {"aaa  bbb", "aaa", {"aaa", "bbb"}},
        {"v-=1/3 Vcc", "v-", {"v-=1/3", "Vcc"}},
        {"aaaaaaaa b", "aaa", {"aaaaaaaa", "b"}},
        {"", "a", {""}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WrapAtBlanks(c.text, metrics, metrics.horizontalAdvance(c.widthOf)), c.lines) << c.text.toStdString();
    }
}

TEST(WrappingButton, LongCaptionWrapsInsteadOfBeingCut) {
    InstallFontFallbacks();
    QWidget window;
    auto* button = MakeButton(&window, "Command5", "Ostrevo ideale, dati esempio", {0, 0, 1935, 735});
    const QRect room = ButtonTextRect(*button);
    const QFontMetrics metrics(button->font());
    const QSize needed = WrappedCaptionSize(button->text(), metrics, room.width());
    EXPECT_LE(needed.width(), room.width());
    EXPECT_LE(needed.height(), room.height());
    EXPECT_EQ(WrapAtBlanks(button->text(), metrics, room.width()).size(), 2);
}

TEST(QtMessageBoxes, PresenterGetsTheMessagesInOrder) {
    testing::RecordingMessages recorded;
    recorded.boxes.show("Manca Vcc");
    recorded.boxes.show("Attenzione: corrente eccessiva");
    EXPECT_EQ(recorded.messages, QStringList({"Manca Vcc", "Attenzione: corrente eccessiva"}));
}

TEST(QtMessageBoxes, BusyCursorIsLiftedWhileAMessageWaitsAndPutBackAfter) {
    testing::RecordingMessages recorded;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    recorded.boxes.show("Manca Vcc");
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QApplication::restoreOverrideCursor();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(recorded.shownUnderOverrideCursor, 0);
}

TEST(QtMessageBoxes, RealBoxHasTitleTextOkOnlyAndNoIcon) {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::Information;
    QMessageBox::StandardButtons buttons;
    Qt::WindowModality modality = Qt::NonModal;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = box->standardButtons();
        modality = box->windowModality();
        box->button(QMessageBox::Ok)->click();
    });
    QtMessageBoxes().show("Rc non valido");
    EXPECT_EQ(title, "Ostrevo");
    EXPECT_EQ(text, "Rc non valido");
    EXPECT_EQ(icon, QMessageBox::NoIcon);
    EXPECT_EQ(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(modality, Qt::ApplicationModal);
}

}  // namespace
}  // namespace ostrevo::ui
