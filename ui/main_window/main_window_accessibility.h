#pragma once
#include <QWidget>

namespace ostrevo::ui {

// Accessible names and descriptions of the main window's fields, results,
// buttons and schematic, for screen readers and for tests that drive the
// program as assistive technology does.
void DescribeMainWindowForAccessibility(QWidget& window);

}  // namespace ostrevo::ui
