#pragma once
#include <QRect>

#include "form_types.h"

namespace ostrevo::ui {

// A designed place in logical pixels; Qt's high-DPI scaling then maps logical
// pixels onto the screen.
inline QRect TwipsRect(const Twips& g) {
    return QRect(TwipsToPixels(g.left), TwipsToPixels(g.top), TwipsToPixels(g.width), TwipsToPixels(g.height));
}

}  // namespace ostrevo::ui
