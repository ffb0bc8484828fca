#pragma once
#include <QColor>
#include <QFrame>
#include <QImage>
#include <cstdint>
#include <functional>
#include <optional>

#include "plot_canvas.h"
#include "plot_window.h"
#include "trace.h"
#include "waveform_form.h"

namespace ostrevo::ui {

// The colour of the outer line of a picture area's focus indicator: at least 3:1 against the window.
QColor FocusIndicatorColour(const QPalette& palette);

// A picture area with the fixed user coordinates of the plot: (0, 100) at the
// upper-left corner of its inner area, (100, 0) at the lower-right one, y
// growing upwards. Labels it contains are placed by their upper-left corner in
// these coordinates.
//
// With a persistent picture, segments are drawn into an image of the inner
// area kept at the screen's device pixel ratio, so that lines are one device
// pixel wide, and the image is repainted whenever the area is exposed. Over it,
// while the area has the focus, a readout cursor: a vertical line one device
// pixel wide, never part of the picture. Pointer movement is reported in
// device pixels of the picture.
class PictureArea : public QFrame {
    Q_OBJECT
public:
    enum class Border { Sunken, None };
    enum class Picture { None, Persistent };

    // Without a background colour of its own, the area shows the window's.
    PictureArea(QWidget* parent, std::optional<QColor> background, Border border, Picture picture);

    // Wipes everything drawn: the bare background colour remains.
    void clearPicture();
    // One-pixel solid segment between two points in user coordinates, clipped.
    void drawSegment(PlotPoint from, PlotPoint to, std::uint32_t argb);
    // Lets `draw` paint into the persistent picture through its canvas.
    void drawOnCanvas(const std::function<void(PlotCanvas&)>& draw);
    // The persistent picture, in device pixels.
    const QImage& picture();

    // Moves a contained widget so that its upper-left corner is at (left, top).
    void placeChild(QWidget* child, float left, float top);
    // Moves a contained widget to its designed place, given in logical pixels
    // from the upper-left corner of the inner area.
    void placeChildAtDesign(QWidget* child, QPoint designPosition);
    // The readout cursor's column of the picture, in device pixels.
    void setCursorColumn(std::int64_t deviceColumn);

    // The colour of drawing calls that name none.
    static constexpr std::uint32_t kForeground = Argb(form2::kPlotForeground);
    // The readout cursor's colour, the waveform window's own; it runs the
    // full height, which tells it apart from the black ticks.
    static constexpr QRgb kCursorColour = Argb(form2::kReadoutCursorColour);

signals:
    // The pointer over the picture, in device pixels from its upper-left corner.
    void pointerMoved(double deviceX, double deviceY);
    // The picture has taken a new size in device pixels (a resize, a screen of another pixel ratio).
    void pictureResized(QSize deviceSize);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void ensurePictureMatchesScreen();
    QSize devicePictureSize() const;
    void paintCursor(QPainter& painter) const;
    void paintFocusIndicator(QPainter& painter) const;

    Picture kind_;
    QImage picture_;
    std::int64_t cursorColumn_ = 0;
};

}  // namespace ostrevo::ui
