#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QAbstractButton>
#include <QMessageBox>
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

TEST(ControlFont, NarrowFallbackStandsInForTheMissingFace) {
    InstallFontFallbacks();
    const QString resolved = QFontInfo(ControlFont()).family();
    if (resolved == kControlFamily) GTEST_SKIP() << "the designed face is installed";
    EXPECT_EQ(resolved, QStringLiteral("Liberation Sans"));
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
