#pragma once
#include <QFont>
#include <QString>

namespace ostrevo::ui {

// The face every control is designed for; 8.25 pt at 96 DPI is 11 pixels.
inline const QString kControlFamily = QStringLiteral("MS Sans Serif");
inline constexpr int kControlPixelSize = 11;

enum class FontWeight { Regular, Bold };

// The control font. Where the designed face is missing, the substitutes of
// InstallFontFallbacks() stand in for it.
QFont ControlFont(FontWeight weight = FontWeight::Bold);

// Makes Qt replace the designed face, when it is not installed, by a face of
// Debian's packages in which every designed caption fits its control.
// Liberation Sans is about 8% narrower than the designed face; the default
// fallback (DejaVu Sans) is about 6% wider and clips captions. Call once,
// after the QApplication exists and before the first window is built.
void InstallFontFallbacks();

}  // namespace ostrevo::ui
