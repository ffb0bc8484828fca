#include "picture_area.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "controls.h"

namespace ostrevo::ui {
namespace {

// A canvas that only maps: it shares the pixel rule of the drawing surface
// with everything that is placed or read back in user coordinates.
PlotCanvas MappingOnly(QSize size) {
    return PlotCanvas(nullptr, size.width(), size.height(), size.width());
}

}  // namespace

QColor FocusIndicatorColour(const QPalette& palette) {
    const QColor highlight = palette.color(QPalette::Highlight);
    return ContrastRatio(highlight, palette.color(QPalette::Window)) >= 3 ? highlight : palette.color(QPalette::WindowText);
}

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

void PictureArea::setCursorColumn(std::int64_t deviceColumn) {
    if (deviceColumn == cursorColumn_) return;
    cursorColumn_ = deviceColumn;
    if (hasFocus()) update(contentsRect());
}

void PictureArea::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (kind_ == Picture::None) return;
    ensurePictureMatchesScreen();
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), picture_);
    if (!hasFocus()) return;
    paintCursor(painter);
    paintFocusIndicator(painter);
}

// One device pixel wide at any pixel ratio: a rectangle on device pixel edges, not antialiased.
void PictureArea::paintCursor(QPainter& painter) const {
    if (cursorColumn_ < 0 || cursorColumn_ >= picture_.width()) return;
    const double ratio = picture_.devicePixelRatio();
    const QRectF line(contentsRect().left() + static_cast<double>(cursorColumn_) / ratio, contentsRect().top(),
                      1 / ratio, picture_.height() / ratio);
    painter.fillRect(line, QColor::fromRgb(kCursorColour));
}

// Over the sunken border, which it replaces while the area has the focus (the
// picture stays whole), two lines: outside, the scheme's highlight (or, where
// that hardly stands out from the window, its text colour); inside, the
// cursor's dark grey against the picture's light background.
void PictureArea::paintFocusIndicator(QPainter& painter) const {
    const int width = frameWidth();
    if (width < 2) return;
    painter.setBrush(Qt::NoBrush);
    const auto ring = [&](int inset, const QColor& colour) {
        QPen pen(colour, 1);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.drawRect(QRectF(rect()).adjusted(inset + 0.5, inset + 0.5, -inset - 0.5, -inset - 0.5));
    };
    ring(0, FocusIndicatorColour(window()->palette()));
    for (int inset = 1; inset < width; ++inset) ring(inset, QColor::fromRgb(kCursorColour));
}

void PictureArea::mouseMoveEvent(QMouseEvent* event) {
    // Like a window's client area: movement over the border is not reported,
    // unless a button pressed inside holds the pointer (dragging out of it).
    const bool inside = contentsRect().contains(event->position().toPoint());
    if (inside || event->buttons() != Qt::NoButton) {
        const QPointF inDevice = (event->position() - contentsRect().topLeft()) * devicePixelRatioF();
        emit pointerMoved(inDevice.x(), inDevice.y());
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
    emit pictureResized(size);
}

}  // namespace ostrevo::ui
