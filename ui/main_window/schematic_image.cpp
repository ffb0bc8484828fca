#include "schematic_image.h"

#include <QPainter>

namespace ostrevo::ui {

SchematicImage::SchematicImage(const QString& resource, QWidget* parent)
    : QWidget(parent), renderer_(resource) {
    setFocusPolicy(Qt::NoFocus);
}

void SchematicImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    renderer_.render(&painter, QRectF(rect()));
}

}  // namespace ostrevo::ui
