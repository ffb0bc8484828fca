#include "controls.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace ostrevo::ui {
namespace {

// Room between a label's border and its caption.
constexpr int kBorderedLabelIndent = 2;

// A label with a one-pixel border in the palette's dark shade, whatever the
// colour of its text (a plain QFrame box would take the text colour).
class BorderedLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override {
        QLabel::paintEvent(event);
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

template <typename Control>
Control* Place(Control* control, const char* name, const TwipsGeometry& geometry, FontWeight weight) {
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(TwipsRect(geometry));
    control->setFont(ControlFont(weight));
    return control;
}

void SetBackground(QWidget* control, const QColor& colour) {
    QPalette palette = control->palette();
    palette.setColor(control->backgroundRole(), colour);
    control->setPalette(palette);
    control->setAutoFillBackground(true);
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
    painter.drawItemText(textRect, kButtonTextFlags, palette(), isEnabled(), text(), QPalette::ButtonText);
}

QRect ButtonTextRect(const QPushButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    return button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, const TwipsGeometry& geometry,
                  const LabelLook& look) {
    QLabel* label = look.border ? new BorderedLabel(caption, parent) : new QLabel(caption, parent);
    Place(label, name, geometry, look.weight);
    label->setAlignment(look.alignment | Qt::AlignTop);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    if (look.border) {
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setLineWidth(1);
        label->setIndent(kBorderedLabelIndent);
    }
    if (look.background) SetBackground(label, *look.background);
    if (look.textColour) SetTextColour(label, *look.textColour);
    return label;
}

QLineEdit* MakeTextField(QWidget* parent, const char* name, const QString& text, const TwipsGeometry& geometry) {
    auto* field = Place(new QLineEdit(text, parent), name, geometry, FontWeight::Bold);
    field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return field;
}

WrappingButton* MakeButton(QWidget* parent, const char* name, const QString& caption, const TwipsGeometry& geometry) {
    auto* button = Place(new WrappingButton(caption, parent), name, geometry, FontWeight::Bold);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QRadioButton* MakeOptionButton(QWidget* parent, const char* name, const QString& caption,
                               const TwipsGeometry& geometry, const QColor& textColour) {
    auto* option = Place(new QRadioButton(caption, parent), name, geometry, FontWeight::Bold);
    SetTextColour(option, textColour);
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

int LabelTextFlags(const QLabel& label) {
    return int(label.alignment()) | (label.wordWrap() ? Qt::TextWordWrap : 0);
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
