#pragma once
#include <string>

#include "field_texts.h"
#include "main_form.h"

namespace ostrevo {

// The main window as the commands see it: its controls, by the names of its
// description. The window implements it; tests fake it.
class MainForm : public FieldTexts {
public:
    // Current text of a text field (or caption of a label), as UTF-16 code units.
    virtual std::u16string text(ControlName control) const = 0;
    // Sets the text of a field or the caption of a label (UTF-8).
    virtual void setText(ControlName control, const std::string& utf8) = 0;
    virtual void setTextColour(ControlName control, Rgb colour) = 0;

    std::u16string fieldText(FieldId field) const final { return text(form1::FieldControl(field)); }
};

// Modal message box: the text, one OK button, no icon, the application's title.
// Returns when the user has closed it.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void show(const std::string& utf8Message) = 0;
};

}  // namespace ostrevo
