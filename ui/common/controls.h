#pragma once
#include <QColor>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <optional>

#include "control_font.h"
#include "form_interfaces.h"
#include "twips.h"

namespace ostrevo::ui {

// How a label differs from the common look (no border, left-justified text
// on the window's face colour, bold, wrapping at word boundaries). A label
// with a background of its own draws its text in the designed black.
struct LabelLook {
    bool border = false;
    std::optional<QColor> background;
    Qt::Alignment alignment = Qt::AlignLeft;
    FontWeight weight = FontWeight::Bold;
};

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

// Each factory creates a child of `parent` with the given object name,
// caption, geometry and the common control font.
//
// Controls with designed colours keep all of them under any desktop palette
// (a dark scheme gives light text): fields are white with black text, option
// buttons keep the designed face behind their coloured captions, labels with
// a background of their own draw black text. Everything else follows the desktop.
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, const TwipsGeometry& geometry,
                  const LabelLook& look = {});
QLineEdit* MakeTextField(QWidget* parent, const char* name, const QString& text, const TwipsGeometry& geometry);
WrappingButton* MakeButton(QWidget* parent, const char* name, const QString& caption, const TwipsGeometry& geometry);
QRadioButton* MakeOptionButton(QWidget* parent, const char* name, const QString& caption,
                               const TwipsGeometry& geometry, const QColor& textColour);

inline QColor ToQColor(Rgb colour) { return QColor(colour.red, colour.green, colour.blue); }

// Text colour of a text field, a label or an option button.
void SetTextColour(QWidget* control, const QColor& colour);
QColor TextColour(const QWidget* control);

// Captions of labels and buttons wrap at blanks only, as many words on a line
// as fit `width`; a word wider than that stands alone on its line.
QStringList WrapAtBlanks(const QString& text, const QFontMetrics& metrics, int width);
// The width of the widest line and the height of all lines of a caption.
QSize WrappedCaptionSize(const QString& text, const QFontMetrics& metrics, int width);

// Where a label made by MakeLabel, or a WrappingButton, draws its caption.
QRect LabelTextRect(const QLabel& label);
QRect ButtonTextRect(const QPushButton& button);

}  // namespace ostrevo::ui
