#include "picture_area.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace ostrevo::ui {
namespace {

// A canvas that only maps: it shares the pixel rule of the drawing surface
// with everything that is placed or read back in user coordinates.
PlotCanvas MappingOnly(QSize size) {
    return PlotCanvas(nullptr, size.width(), size.height(), size.width());
}

}  // namespace

PictureArea::PictureArea(QWidget* parent, std::optional<QColor> background, Border border, Picture picture)
    : QFrame(parent), kind_(picture) {
    // The platform's sunken three-dimensional border: two pixels, dark outside.
    setFrameStyle(border == Border::Sunken ? (QFrame::WinPanel | QFrame::Sunken) : QFrame::NoFrame);
    if (background) {
        QPalette colours = palette();
        colours.setColor(QPalette::Window, *background);
        setPalette(colours);
    }
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
}

void PictureArea::clearPicture() {
    if (kind_ == Picture::None) return;
    ensurePictureMatchesScreen();
    picture_.fill(palette().color(QPalette::Window));
    update(contentsRect());
}

void PictureArea::drawSegment(PlotPoint from, PlotPoint to, std::uint32_t argb) {
    drawOnCanvas([&](PlotCanvas& canvas) { canvas.drawSegment(canvas.toDevice(from), canvas.toDevice(to), argb); });
}

void PictureArea::drawOnCanvas(const std::function<void(PlotCanvas&)>& draw) {
    if (kind_ == Picture::None) return;
    ensurePictureMatchesScreen();
    PlotCanvas canvas(reinterpret_cast<std::uint32_t*>(picture_.bits()), picture_.width(), picture_.height(),
                      static_cast<int>(picture_.bytesPerLine() / sizeof(std::uint32_t)));
    draw(canvas);
    update(contentsRect());
}

const QImage& PictureArea::picture() {
    ensurePictureMatchesScreen();
    return picture_;
}

void PictureArea::placeChild(QWidget* child, float left, float top) {
    const PlotCanvas mapping = MappingOnly(contentsRect().size());
    const QPoint inner(static_cast<int>(mapping.toDeviceX(left)), static_cast<int>(mapping.toDeviceY(top)));
    child->move(contentsRect().topLeft() + inner);
}

void PictureArea::placeChildAtDesign(QWidget* child, QPoint designPosition) {
    child->move(contentsRect().topLeft() + designPosition);
}

PlotPoint PictureArea::toUser(QPointF widgetPosition) const {
    const PlotCanvas mapping = MappingOnly(devicePictureSize());
    const QPointF inDevice = (widgetPosition - contentsRect().topLeft()) * devicePixelRatioF();
    return {static_cast<float>(mapping.toUserX(inDevice.x())), static_cast<float>(mapping.toUserY(inDevice.y()))};
}

void PictureArea::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (kind_ == Picture::None) return;
    ensurePictureMatchesScreen();
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), picture_);
}

void PictureArea::mouseMoveEvent(QMouseEvent* event) {
    // Like a window's client area: movement over the border is not reported,
    // unless a button pressed inside holds the pointer (dragging out of it).
    const bool inside = contentsRect().contains(event->position().toPoint());
    if (inside || event->buttons() != Qt::NoButton) {
        const PlotPoint user = toUser(event->position());
        emit pointerMoved(user.x, user.y);
    }
    QFrame::mouseMoveEvent(event);
}

QSize PictureArea::devicePictureSize() const {
    const double ratio = devicePixelRatioF();
    const QSize logical = contentsRect().size();
    return QSize(static_cast<int>(std::lround(logical.width() * ratio)),
                 static_cast<int>(std::lround(logical.height() * ratio)));
}

// The picture follows the window to a screen of another pixel ratio: the old
// picture is scaled into the new one so that it stays visible; the next plot
// draws sharp again.
void PictureArea::ensurePictureMatchesScreen() {
    const QSize size = devicePictureSize();
    const double ratio = devicePixelRatioF();
    if (picture_.size() == size && picture_.devicePixelRatio() == ratio) return;
    if (picture_.isNull()) {
        picture_ = QImage(size, QImage::Format_RGB32);
        picture_.fill(palette().color(QPalette::Window));
    } else {
        picture_ = picture_.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    picture_.setDevicePixelRatio(ratio);
}

}  // namespace ostrevo::ui
