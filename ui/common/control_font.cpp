#include "control_font.h"

#include <QStringList>

namespace ostrevo::ui {

QFont ControlFont(FontWeight weight) {
    QFont font(QString::fromLatin1(kControlFont.family));
    font.setPixelSize(kControlFont.pixels);
    font.setWeight(weight == FontWeight::Bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

void InstallFontFallbacks() {
    QStringList substitutes;
    for (const char* face : kControlFont.substitutes) substitutes << QString::fromLatin1(face);
    QFont::insertSubstitutions(QString::fromLatin1(kControlFont.family), substitutes);
}

}  // namespace ostrevo::ui
