#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFontInfo>
#include <QMessageBox>
#include <QTimer>

#include "controls.h"
#include "qt_message_boxes.h"

namespace ostrevo::ui {
namespace {

TEST(ControlFont, NarrowFallbackStandsInForTheMissingFace) {
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
        {"aaa bbb ccc", "aaa bbb", {"aaa bbb", "ccc"}}, {"ts  con v+", "ts  con v+", {"ts  con v+"}},
        {"aaa  bbb", "aaa", {"aaa", "bbb"}},            {"aaaaaaaa b", "aaa", {"aaaaaaaa", "b"}},
        {"", "a", {""}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WrapAtBlanks(c.text, metrics, metrics.horizontalAdvance(c.widthOf)), c.lines) << c.text.toStdString();
    }
}

// The real box, captured while it waits and closed with its OK; the busy
// cursor is lifted while it waits and put back after.
TEST(QtMessageBoxes, ShowsTitleTextAndOkOnlyWithoutTheBusyCursor) {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::Information;
    QMessageBox::StandardButtons buttons;
    const QCursor* cursorWhileShown = nullptr;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return QApplication::exit();  // ends the box's loop, the checks fail
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = box->standardButtons();
        cursorWhileShown = QApplication::overrideCursor();
        box->button(QMessageBox::Ok)->click();
    });
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QtMessageBoxes().show("Rc non valido");
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QApplication::restoreOverrideCursor();
    EXPECT_EQ(cursorWhileShown, nullptr);
    EXPECT_EQ(title, "Ostrevo");
    EXPECT_EQ(text, "Rc non valido");
    EXPECT_EQ(icon, QMessageBox::NoIcon);
    EXPECT_EQ(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

}  // namespace
}  // namespace ostrevo::ui
