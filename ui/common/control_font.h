#pragma once
#include <QFont>

#include "form_types.h"

namespace ostrevo::ui {

// The control font (kControlFont). Where the designed face is missing, the
// substitutes of InstallFontFallbacks() stand in for it.
QFont ControlFont(FontWeight weight = FontWeight::Bold);

// Makes Qt replace the designed face, when it is not installed, by its
// substitutes. Call once, after the QApplication exists and before the first
// window is built.
void InstallFontFallbacks();

}  // namespace ostrevo::ui
