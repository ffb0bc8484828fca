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

// A picture area with the fixed user coordinates of the plot: (0, 100) at the
// upper-left corner of its inner area, (100, 0) at the lower-right one, y
// growing upwards. Labels it contains are placed by their upper-left corner in
// these coordinates, pointer movement is reported in them.
//
// With a persistent picture, segments are drawn into an image of the inner
// area kept at the screen's device pixel ratio, so that lines are one device
// pixel wide, and the image is repainted whenever the area is exposed.
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
    // The user coordinates of a point given in widget pixels.
    PlotPoint toUser(QPointF widgetPosition) const;

    // The colour of drawing calls that name none.
    static constexpr std::uint32_t kForeground = Argb(form2::kPlotForeground);

signals:
    void pointerMoved(float x, float y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void ensurePictureMatchesScreen();
    QSize devicePictureSize() const;

    Picture kind_;
    QImage picture_;
};

}  // namespace ostrevo::ui
