#include "controls.h"

#include <QPainter>
#include <QRegularExpression>
#include <algorithm>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStylePainter>

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
    DrawCaption(painter, *this, textRect, Qt::AlignCenter, text(), QPalette::ButtonText);
}

QRect ButtonTextRect(const QPushButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    return button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, const TwipsGeometry& geometry,
                  const LabelLook& look) {
    auto* label = Place(new CaptionLabel(caption, look.border, parent), name, geometry, look.weight);
    label->setAlignment(look.alignment | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    if (look.border) {
        label->setFrameStyle(QFrame::Box | QFrame::Plain);  // keeps the caption off the border
        label->setLineWidth(1);
        label->setMargin(kBorderedLabelMargin);
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
