#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace ostrevo {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The main window as the commands see it: its controls, by name
// ("Text1", "Label9", ...). The window implements it; tests fake it.
class MainForm {
public:
    virtual ~MainForm() = default;
    // Current text of a text field (or caption of a label), as UTF-16 code units.
    virtual std::u16string text(std::string_view control) const = 0;
    // Sets the text of a field or the caption of a label (UTF-8).
    virtual void setText(std::string_view control, const std::string& utf8) = 0;
    virtual void setTextColour(std::string_view control, Rgb colour) = 0;
};

// Modal message box: the text, one OK button, no icon, the application's title.
// Returns when the user has closed it.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void show(const std::string& utf8Message) = 0;
};

}  // namespace ostrevo
