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

}  // namespace ostrevo::ui
