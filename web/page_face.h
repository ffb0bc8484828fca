#pragma once
#include <emscripten/val.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "form_types.h"

namespace ostrevo::web {

// The page's script as the C++ side sees it: the windows' controls by window
// and object name. The script owns the DOM; everything the core computes
// reaches the page through these calls.
class PageFace {
public:
    explicit PageFace(emscripten::val face) : face_(std::move(face)) {}

    std::u16string text(std::string_view window, std::string_view control) const;
    void setText(std::string_view window, std::string_view control, const std::string& utf8);
    void setTextColour(std::string_view window, std::string_view control, Rgb colour);
    // Upper-left corner of a label inside a picture area, in CSS pixels from its inner corner.
    void place(std::string_view window, std::string_view control, double left, double top);
    bool isChecked(std::string_view window, std::string_view control) const;
    void check(std::string_view window, std::string_view control);
    void setToolTip(std::string_view window, std::string_view control, const std::string& utf8);
    // The readout cursor of a picture at a device column of its canvas.
    void moveCursor(std::string_view window, std::string_view control, std::int64_t deviceColumn);
    // A sentence for a screen reader, spoken after what it is saying.
    void announce(const std::string& utf8);
    // The accessible description of a control.
    void describe(std::string_view window, std::string_view control, const std::string& utf8);
    // Inner size, in CSS pixels, of a picture area as the page shows it now.
    double innerWidth(std::string_view window, std::string_view control) const;
    double innerHeight(std::string_view window, std::string_view control) const;

    void createWindow(std::string_view window);
    void showWindow(std::string_view window);
    void unloadWindow(std::string_view window);
    // The raster of a picture area changed.
    void pictureChanged(std::string_view window, std::string_view control);
    void endProgram();
    // A command stopped by something the core has no message for.
    void commandFailed();

private:
    emscripten::val face_;
};

// "#rrggbb", the colour as CSS reads it.
std::string CssColour(Rgb colour);

}  // namespace ostrevo::web
