#include "outline_shape.h"

#include <QPainter>

namespace ostrevo::ui {

OutlineShape::OutlineShape(const QColor& colour, int lineWidth, QWidget* parent)
    : QWidget(parent), colour_(colour), lineWidth_(lineWidth) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void OutlineShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QPen pen(colour_, lineWidth_);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    // A pen is centred on its path: inset by half its width to stay inside.
    const qreal half = lineWidth_ / 2.0;
    painter.drawRect(QRectF(rect()).adjusted(half, half, -half, -half));
}

}  // namespace ostrevo::ui
