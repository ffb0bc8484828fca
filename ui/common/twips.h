#pragma once
#include <QRect>

namespace ostrevo::ui {

// Positions and sizes of the designed layouts are in twips: 1/1440 inch,
// 15 twips to one logical pixel at 96 dots per inch. Qt's high-DPI scaling
// then maps logical pixels onto the screen.
inline constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// Left, Top, Width and Height of a control, in twips.
struct TwipsGeometry {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

inline QRect TwipsRect(const TwipsGeometry& g) {
    return QRect(TwipsToPixels(g.left), TwipsToPixels(g.top), TwipsToPixels(g.width), TwipsToPixels(g.height));
}

}  // namespace ostrevo::ui
