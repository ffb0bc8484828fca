#pragma once
#include <QWidget>

namespace ostrevo::ui {

// Accessible names and descriptions of the main window's fields, results,
// buttons and schematic, for screen readers and for tests that drive the
// program as assistive technology does.
void DescribeForm1ForAccessibility(QWidget& form1);

}  // namespace ostrevo::ui
