#include "quit_when_nothing_visible.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace ostrevo::ui {

QuitWhenNothingVisible::QuitWhenNothingVisible() { QCoreApplication::instance()->installEventFilter(this); }

bool QuitWhenNothingVisible::eventFilter(QObject* watched, QEvent* event) {
    // Minimising sends a spontaneous hide and leaves the window visible.
    if (event->type() == QEvent::Hide && !event->spontaneous() && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow()) {
        // Decide once the hiding handler has finished: it may show another window.
        QTimer::singleShot(0, this, &QuitWhenNothingVisible::quitIfNothingVisible);
    }
    return false;
}

void QuitWhenNothingVisible::quitIfNothingVisible() {
    if (!QGuiApplication::quitOnLastWindowClosed()) return;
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        // Tool tips, menus and child dialogs do not keep the program alive.
        if (window->isVisible() && window->testAttribute(Qt::WA_QuitOnClose)) return;
    }
    QCoreApplication::quit();
}

}  // namespace ostrevo::ui
