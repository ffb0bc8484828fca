#include "control_font.h"

#include <QStringList>

namespace ostrevo::ui {

QFont ControlFont(FontWeight weight) {
    QFont font(kControlFamily);
    font.setPixelSize(kControlPixelSize);
    font.setWeight(weight == FontWeight::Bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

void InstallFontFallbacks() {
    // Arimo is the same design as Liberation Sans under another name.
    QFont::insertSubstitutions(kControlFamily, {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
}

}  // namespace ostrevo::ui
