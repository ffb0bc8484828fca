#pragma once
#include <QHash>
#include <QString>
#include <QWidget>
#include <functional>

#include "form_types.h"

namespace ostrevo::ui {

// Makes a control of a kind only its window has (a picture area, an image, a
// shape) as a child of `parent`, placed with PlaceWidget().
using MakeOwnControl = std::function<QWidget*(const Control& control, QWidget& parent)>;
// Carries out what a button runs.
using RunCommand = std::function<void(Command command)>;

// Gives a new widget the object name and the place of the control it stands
// for, inside the border of its parent.
void PlaceWidget(QWidget& widget, const Control& control);

// Builds the described window into `window`: its name, title, font and size;
// every control in order, with its looks and what assistive technology is told
// about it; buttons that call `run` with their command; the tab order, with
// the focus on its first control and option groups entered at their selected
// button. Returns the controls by object name.
QHash<QString, QWidget*> BuildForm(QWidget& window, const Form& form, const MakeOwnControl& makeOwn,
                                   const RunCommand& run);

}  // namespace ostrevo::ui
