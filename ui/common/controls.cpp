#include "controls.h"

#include <QKeyEvent>
#include <QPainter>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <limits>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "form_builder.h"

namespace ostrevo::ui {
namespace {

// Room between a label's border and its caption: all round, and more on the
// side the caption is justified to.
constexpr int kBorderedLabelMargin = 1;
constexpr int kBorderedLabelIndent = 2;

// Draws `text` wrapped at blanks inside `room`, placed by `alignment`.
void DrawCaption(QPainter& painter, const QWidget& control, const QRect& room, Qt::Alignment alignment,
                 const QString& text, QPalette::ColorRole role) {
    const QFontMetrics metrics = control.fontMetrics();
    const QStringList lines = WrapAtBlanks(text, metrics, room.width());
    const int height = WrappedCaptionSize(text, metrics, room.width()).height();
    int top = room.top();
    if (alignment & Qt::AlignVCenter) top += (room.height() - height) / 2;
    if (alignment & Qt::AlignBottom) top = room.bottom() + 1 - height;
    for (const QString& line : lines) {
        const QRect lineRect(room.left(), top, room.width(), metrics.height());
        control.style()->drawItemText(&painter, lineRect, int(alignment & Qt::AlignHorizontal_Mask) | Qt::AlignTop,
                                      control.palette(), control.isEnabled(), line, role);
        top += metrics.lineSpacing();
    }
}

// A label that wraps its caption at blanks only (never after a hyphen, so
// "v-=1/3" stays whole) and whose border, when it has one, is a one-pixel
// line in the palette's dark shade whatever the colour of its text.
class CaptionLabel : public QLabel {
public:
    CaptionLabel(const QString& caption, bool bordered, QWidget* parent)
        : QLabel(caption, parent), bordered_(bordered) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        DrawCaption(painter, *this, LabelTextRect(*this), alignment(), text(), foregroundRole());
        if (bordered_) {
            painter.setPen(palette().color(QPalette::Dark));
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }

private:
    bool bordered_;
};

// Places a new widget as the control it stands for, in the control font.
template <typename Widget>
Widget* Place(Widget* widget, const Control& control) {
    PlaceWidget(*widget, control);
    widget->setFont(ControlFont(control.looks.weight));
    return widget;
}


Qt::Alignment HorizontalAlignment(Alignment alignment) {
    switch (alignment) {
        case Alignment::Left: return Qt::AlignLeft;
        case Alignment::Right: return Qt::AlignRight;
        case Alignment::Center: return Qt::AlignHCenter;
    }
    return Qt::AlignLeft;
}

QColor TextColourOf(const Looks& looks) { return ToQColor(looks.text.value_or(kFieldText)); }

// The light face the controls were designed on: the style's own, so that
// under a light desktop palette it is the window's face.
QColor DesignedFace(const QWidget* control) { return control->style()->standardPalette().color(QPalette::Window); }

// Fixes the colours of a control, whatever the desktop's palette: the
// background it fills itself with and the text on it, and the designed white
// ground and black text of fields (and of an option button's indicator).
void UseDesignedColours(QWidget* control, const QColor& background, const QColor& text) {
    QPalette palette = control->palette();
    palette.setColor(QPalette::Window, DesignedFace(control));
    palette.setColor(QPalette::Base, ToQColor(kFieldGround));
    palette.setColor(QPalette::Text, ToQColor(kFieldText));
    palette.setColor(control->backgroundRole(), background);
    palette.setColor(control->foregroundRole(), text);
    control->setPalette(palette);
}

}  // namespace

void WrappingButton::paintEvent(QPaintEvent*) {
    // The style draws the bevel and the focus frame from an option without
    // text; the caption is drawn on top, wrapped.
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    QRect textRect = ButtonTextRect(*this);
    if (isDown()) {
        textRect.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                           style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    }
    DrawCaption(painter, *this, textRect, Qt::AlignCenter, text(), QPalette::ButtonText);
}

void WrappingButton::keyPressEvent(QKeyEvent* event) {
    // Qt presses a button on Return only when it is a default button, and the
    // windows have none; here the focused button answers, once per key press.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (!event->isAutoRepeat()) click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

QRect ButtonTextRect(const QPushButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    return button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
}

QLabel* MakeLabel(QWidget* parent, const Control& control) {
    const Looks& look = control.looks;
    const bool bordered = look.border == Border::Single;
    auto* label = Place(new CaptionLabel(QString::fromUtf8(control.caption), bordered, parent), control);
    label->setAlignment(HorizontalAlignment(look.alignment) | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    if (bordered) {
        label->setFrameStyle(QFrame::Box | QFrame::Plain);  // keeps the caption off the border
        label->setLineWidth(1);
        label->setMargin(kBorderedLabelMargin);
        label->setIndent(kBorderedLabelIndent);
    }
    if (look.fill == Fill::Colour) {
        UseDesignedColours(label, ToQColor(look.background), TextColourOf(look));
        label->setAutoFillBackground(true);
    }
    return label;
}

QLineEdit* MakeTextField(QWidget* parent, const Control& control) {
    auto* field = Place(new QLineEdit(QString::fromUtf8(control.caption), parent), control);
    field->setAlignment(HorizontalAlignment(control.looks.alignment) | Qt::AlignVCenter);
    // A line edit cuts its text at 32767 characters by default; the entry
    // check must see every character typed or pasted.
    field->setMaxLength(std::numeric_limits<int>::max());
    UseDesignedColours(field, ToQColor(control.looks.background), TextColourOf(control.looks));
    return field;
}

WrappingButton* MakeButton(QWidget* parent, const Control& control) {
    auto* button = Place(new WrappingButton(QString::fromUtf8(control.caption), parent), control);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QRadioButton* MakeOptionButton(QWidget* parent, const Control& control) {
    auto* option = Place(new QRadioButton(QString::fromUtf8(control.caption), parent), control);
    UseDesignedColours(option, DesignedFace(option), TextColourOf(control.looks));
    option->setAutoFillBackground(true);
    option->setChecked(control.checked);
    return option;
}

void SetTextColour(QWidget* control, const QColor& colour) {
    QPalette palette = control->palette();
    palette.setColor(control->foregroundRole(), colour);
    control->setPalette(palette);
}

QColor TextColour(const QWidget* control) {
    return control->palette().color(control->foregroundRole());
}

double RelativeLuminance(const QColor& colour) {
    const auto linear = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

double ContrastRatio(const QColor& one, const QColor& other) {
    const double a = RelativeLuminance(one), b = RelativeLuminance(other);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QStringList WrapAtBlanks(const QString& text, const QFontMetrics& metrics, int width) {
    // Each word carries the blanks before it, so double blanks inside a line stay.
    static const QRegularExpression kWord(QStringLiteral(" *[^ ]+"));
    QStringList lines;
    QString line;
    for (auto words = kWord.globalMatch(text); words.hasNext();) {
        const QString word = words.next().captured();
        if (!line.isEmpty() && metrics.horizontalAdvance(line + word) > width) {
            lines << line;
            line = word.trimmed();  // a new line starts with the word, not with its blanks
        } else {
            line += word;
        }
    }
    if (!line.isEmpty() || lines.isEmpty()) lines << line;
    return lines;
}

QSize WrappedCaptionSize(const QString& text, const QFontMetrics& metrics, int width) {
    const QStringList lines = WrapAtBlanks(text, metrics, width);
    int widest = 0;
    for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
    return QSize(widest, int(lines.size() - 1) * metrics.lineSpacing() + metrics.height());
}

QRect LabelTextRect(const QLabel& label) {
    const int margin = label.margin();
    QRect rect = label.contentsRect().adjusted(margin, margin, -margin, -margin);
    const int indent = label.indent() > 0 ? label.indent() : 0;
    if (label.alignment() & Qt::AlignRight) rect.setRight(rect.right() - indent);
    if (label.alignment() & Qt::AlignLeft) rect.setLeft(rect.left() + indent);
    return rect;
}

}  // namespace ostrevo::ui
