#include "qt_message_boxes.h"

#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

namespace ostrevo::ui {
namespace {

// Lifts every override cursor (the busy cursor of a long command) while a
// message waits for the user, and puts them back afterwards.
class OverrideCursorPause {
public:
    OverrideCursorPause() {
        while (const QCursor* cursor = QApplication::overrideCursor()) {
            paused_.push_back(*cursor);
            QApplication::restoreOverrideCursor();
        }
    }
    ~OverrideCursorPause() {
        for (auto it = paused_.rbegin(); it != paused_.rend(); ++it) QApplication::setOverrideCursor(*it);
    }
    OverrideCursorPause(const OverrideCursorPause&) = delete;
    OverrideCursorPause& operator=(const OverrideCursorPause&) = delete;

private:
    std::vector<QCursor> paused_;
};

}  // namespace

void ShowModalMessageBox(const QString& message) {
    QMessageBox box(QMessageBox::NoIcon, kApplicationTitle, message, QMessageBox::Ok, QApplication::activeWindow());
    box.button(QMessageBox::Ok)->setText(QString::fromUtf8(kMessageBoxButton.data(), kMessageBoxButton.size()));
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

QtMessageBoxes::QtMessageBoxes(MessagePresenter presenter) : presenter_(std::move(presenter)) {}

void QtMessageBoxes::show(const std::string& utf8Message) {
    OverrideCursorPause pause;
    presenter_(QString::fromStdString(utf8Message));
}

}  // namespace ostrevo::ui
