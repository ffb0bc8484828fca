#pragma once
#include <QApplication>

namespace ostrevo::ui {

// A pointer shape over every window for as long as it lives: the wait cursor
// while a command holds the windows, the busy one while they still answer.
class BusyCursor {
public:
    explicit BusyCursor(Qt::CursorShape shape = Qt::BusyCursor) { QApplication::setOverrideCursor(shape); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace ostrevo::ui
