#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "controls.h"
#include "qt_message_boxes.h"

namespace ostrevo::ui {
namespace {

// Captions wrap at blanks only; blanks inside a line stay; a word wider than
// the room stands alone.
TEST(WrapAtBlanks, BreaksOnlyAtBlanksAndKeepsBlanksInsideALine) {
    const QFontMetrics metrics(ControlFont());
    const std::tuple<QString, QString, QStringList> cases[] = {  // text, the room as wide as, lines
        {"aaa bbb ccc", "aaa bbb", {"aaa bbb", "ccc"}}, {"ts  con v+", "ts  con v+", {"ts  con v+"}},
        {"aaa  bbb", "aaa", {"aaa", "bbb"}}, {"aaaaaaaa b", "aaa", {"aaaaaaaa", "b"}}};
    for (const auto& [text, room, lines] : cases) {
        EXPECT_EQ(WrapAtBlanks(text, metrics, metrics.horizontalAdvance(room)), lines) << text.toStdString();
    }
}

// The real box, captured while it waits and closed with its OK: the busy
// cursor is lifted while it waits and put back after.
TEST(QtMessageBoxes, ShowsTitleTextAndOkOnlyWithoutTheBusyCursor) {
    QStringList shown;
    const QCursor* cursorWhileShown = nullptr;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return QApplication::exit();  // ends the box's loop, the checks fail
        shown << box->windowTitle() << box->text();
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
        cursorWhileShown = QApplication::overrideCursor();
        box->button(QMessageBox::Ok)->click();
    });
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QtMessageBoxes().show("Rc non valido");
    EXPECT_EQ(shown, QStringList({"Ostrevo", "Rc non valido"}));
    EXPECT_EQ(cursorWhileShown, nullptr);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QApplication::restoreOverrideCursor();
}

}  // namespace
}  // namespace ostrevo::ui
