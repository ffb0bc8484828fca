#include "page_face.h"

#include <cstdio>

namespace ostrevo::web {
namespace {

std::string S(std::string_view text) { return std::string(text); }

}  // namespace

std::string CssColour(Rgb colour) {
    char css[8];
    std::snprintf(css, sizeof css, "#%02x%02x%02x", colour.red, colour.green, colour.blue);
    return css;
}

std::u16string PageFace::text(std::string_view window, std::string_view control) const {
    return face_.call<std::u16string>("text", S(window), S(control));
}

void PageFace::setText(std::string_view window, std::string_view control, const std::string& utf8) {
    face_.call<void>("setText", S(window), S(control), utf8);
}

void PageFace::setTextColour(std::string_view window, std::string_view control, Rgb colour) {
    face_.call<void>("setTextColour", S(window), S(control), CssColour(colour));
}

void PageFace::place(std::string_view window, std::string_view control, double left, double top) {
    face_.call<void>("place", S(window), S(control), left, top);
}

bool PageFace::isChecked(std::string_view window, std::string_view control) const {
    return face_.call<bool>("isChecked", S(window), S(control));
}

void PageFace::check(std::string_view window, std::string_view control) {
    face_.call<void>("check", S(window), S(control));
}

void PageFace::setToolTip(std::string_view window, std::string_view control, const std::string& utf8) {
    face_.call<void>("setToolTip", S(window), S(control), utf8);
}

void PageFace::moveCursor(std::string_view window, std::string_view control, std::int64_t deviceColumn) {
    face_.call<void>("moveCursor", S(window), S(control), static_cast<double>(deviceColumn));
}

void PageFace::announce(const std::string& utf8) { face_.call<void>("announce", utf8); }

void PageFace::describe(std::string_view window, std::string_view control, const std::string& utf8) {
    face_.call<void>("describe", S(window), S(control), utf8);
}

double PageFace::innerWidth(std::string_view window, std::string_view control) const {
    return face_.call<double>("innerWidth", S(window), S(control));
}

double PageFace::innerHeight(std::string_view window, std::string_view control) const {
    return face_.call<double>("innerHeight", S(window), S(control));
}

void PageFace::createWindow(std::string_view window) { face_.call<void>("createWindow", S(window)); }

void PageFace::showWindow(std::string_view window) { face_.call<void>("showWindow", S(window)); }

void PageFace::unloadWindow(std::string_view window) { face_.call<void>("unloadWindow", S(window)); }

void PageFace::pictureChanged(std::string_view window, std::string_view control) {
    face_.call<void>("pictureChanged", S(window), S(control));
}

void PageFace::endProgram() { face_.call<void>("endProgram"); }

void PageFace::commandFailed() { face_.call<void>("commandFailed"); }

}  // namespace ostrevo::web
