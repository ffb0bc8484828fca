#pragma once
#include <QString>
#include <QWidget>

#include "form_types.h"

namespace ostrevo::ui {

// Presents `window` to assistive technology as a window, announced by its title.
void PresentAsWindow(QWidget& window);

// Gives one control its accessible name and description, and the role a
// result or a picture needs (a field or a button keeps Qt's own).
void DescribeControl(QWidget& control, const QString& name, const QString& description, AccessibleRole role);

// Makes `announcer`, an empty child of a window, a notification that speaks for
// the window: hidden, it takes no room and no focus.
void PresentAsAnnouncer(QWidget& announcer);
// One sentence for a screen reader, through the announcer: screen readers speak a
// notification as it shows (Qt 6.4 has no announcement of its own).
void Announce(QWidget& announcer, const QString& sentence);

}  // namespace ostrevo::ui
