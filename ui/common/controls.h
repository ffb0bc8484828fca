#pragma once
#include <QColor>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QString>

#include "control_font.h"
#include "form_types.h"
#include "twips.h"

namespace ostrevo::ui {

// A push button whose caption wraps at blanks onto as many lines as its
// width needs, centred. Return and Enter press it when it has the focus, as
// Space does. It stays a QPushButton in every other respect (focus, Space,
// clicked(), text()); none is a default button.
class WrappingButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// Each factory creates a described control as a child of `parent` (the window
// or a picture area, inside whose border it is placed): its object name,
// caption, place, looks and the control font.
//
// Controls with designed colours keep all of them under any desktop palette
// (a dark scheme gives light text): fields are white with black text, option
// buttons keep the light face behind their coloured captions, labels with
// a background of their own draw black text. Everything else follows the desktop.
QLabel* MakeLabel(QWidget* parent, const Control& control);
QLineEdit* MakeTextField(QWidget* parent, const Control& control);
WrappingButton* MakeButton(QWidget* parent, const Control& control);
QRadioButton* MakeOptionButton(QWidget* parent, const Control& control);

// The text of a caption or of a field's text, and a control's object name.
inline QString ToQString(std::string_view utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }

inline QColor ToQColor(Rgb colour) { return QColor(colour.red, colour.green, colour.blue); }

// Text colour of a text field, a label or an option button.
void SetTextColour(QWidget* control, const QColor& colour);
QColor TextColour(const QWidget* control);

// The relative luminance of a colour and the contrast ratio of two, as WCAG 2 defines them.
double RelativeLuminance(const QColor& colour);
double ContrastRatio(const QColor& one, const QColor& other);

// Captions of labels and buttons wrap at blanks only, as many words on a line
// as fit `width`; a word wider than that stands alone on its line.
QStringList WrapAtBlanks(const QString& text, const QFontMetrics& metrics, int width);
// The width of the widest line and the height of all lines of a caption.
QSize WrappedCaptionSize(const QString& text, const QFontMetrics& metrics, int width);

// Where a label made by MakeLabel, or a WrappingButton, draws its caption.
QRect LabelTextRect(const QLabel& label);
QRect ButtonTextRect(const QPushButton& button);

}  // namespace ostrevo::ui
