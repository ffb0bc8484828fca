#pragma once
#include <QString>
#include <QWidget>
#include <span>

namespace ostrevo::ui {

// What assistive technology tells about one control: a short name (what it is
// and its unit) and, where the name is not enough, a description.
struct AccessibleText {
    enum class Kind {
        Control,  // a field or a button: Qt's own accessible object
        Result,   // a label showing a value: the name says what it is, the text is the value
        Picture,  // a drawing: a graphic to assistive technology
    };
    const char* control;      // object name
    const char* name;         // UTF-8
    const char* description;  // UTF-8, may be empty
    Kind kind = Kind::Control;
};

// Presents `window` as a window and gives its named controls their accessible
// name and description.
void ApplyAccessibleTexts(QWidget& window, std::span<const AccessibleText> texts);

// Gives one control its accessible name and description.
void DescribeControl(QWidget& control, const QString& name, const QString& description,
                     AccessibleText::Kind kind = AccessibleText::Kind::Control);

}  // namespace ostrevo::ui
