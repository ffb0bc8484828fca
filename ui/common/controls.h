#pragma once
#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <optional>

#include "control_font.h"
#include "twips.h"

namespace ostrevo::ui {

// How a label differs from the common look (no border, left-justified text
// on the window's face colour, bold, wrapping at word boundaries).
struct LabelLook {
    bool border = false;
    std::optional<QColor> background;
    std::optional<QColor> textColour;
    Qt::Alignment alignment = Qt::AlignLeft;
    FontWeight weight = FontWeight::Bold;
};

// A push button whose caption wraps at word boundaries onto as many lines as
// its width needs, centred. It stays a QPushButton in every other respect
// (focus, Space, clicked(), text()).
class WrappingButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Each factory creates a child of `parent` with the given object name,
// caption, geometry and the common control font.
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, const TwipsGeometry& geometry,
                  const LabelLook& look = {});
QLineEdit* MakeTextField(QWidget* parent, const char* name, const QString& text, const TwipsGeometry& geometry);
WrappingButton* MakeButton(QWidget* parent, const char* name, const QString& caption, const TwipsGeometry& geometry);
QRadioButton* MakeOptionButton(QWidget* parent, const char* name, const QString& caption,
                               const TwipsGeometry& geometry, const QColor& textColour);

// Text colour of a text field, a label or an option button.
void SetTextColour(QWidget* control, const QColor& colour);
QColor TextColour(const QWidget* control);

// Flags and margins with which a label lays out its caption, for measuring.
int LabelTextFlags(const QLabel& label);
QRect LabelTextRect(const QLabel& label);
// Where a WrappingButton draws its caption, and with which flags.
inline constexpr int kButtonTextFlags = Qt::AlignCenter | Qt::TextWordWrap;
QRect ButtonTextRect(const QPushButton& button);

}  // namespace ostrevo::ui
