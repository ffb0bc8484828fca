#include "canvas_plot_window.h"

#include "fast_trace_renderer.h"
#include "waveform_form.h"

namespace ostrevo::web {
namespace {

constexpr ControlName kWindow = form2::Form2;
constexpr ControlName kPlot = form2::Picture1;
// What the plot area is filled with.
Rgb PlotBackground() { return FindControl(form2::kForm, kPlot)->looks.background; }

}  // namespace

CanvasPlotWindow::CanvasPlotWindow(PageFace& face, std::string decimalSeparator)
    : face_(face), background_(Argb(PlotBackground())), pixels_(1), readout_(*this, std::move(decimalSeparator)) {
    canvas().fill(background_);
}

void CanvasPlotWindow::ensureCreated() {
    if (created_) return;
    face_.createWindow(kWindow);
    created_ = true;
}

void CanvasPlotWindow::show() { face_.showWindow(kWindow); }

void CanvasPlotWindow::erasePlot() {
    record_.erasePicture();
    readout_.erase();
    redraw();
}

void CanvasPlotWindow::drawLine(PlotPoint from, PlotPoint to, std::optional<Rgb> colour) {
    record_.addLine(from, to, colour);
    PlotCanvas surface = canvas();
    surface.drawSegment(surface.toDevice(from), surface.toDevice(to), Argb(record_.lines().back().colour));
    changed();
}

void CanvasPlotWindow::placeLabel(ControlName control, const std::string& utf8Text, float left, float top) {
    face_.setText(kWindow, control, utf8Text);
    record_.placeLabel(control, utf8Text, left, top);
    place({control, utf8Text, left, top});
}

// As in a picture area of the desktop: the label's corner falls on the pixel
// of its user coordinates, counted in CSS pixels of the area's present inner size.
void CanvasPlotWindow::place(const PlotRecord::Label& label) {
    const ControlName area = FindControl(form2::kForm, label.control)->container;
    const PlotCanvas mapping(nullptr, static_cast<int>(face_.innerWidth(kWindow, area)),
                             static_cast<int>(face_.innerHeight(kWindow, area)), 0);
    face_.place(kWindow, label.control, static_cast<double>(mapping.toDeviceX(label.left)),
                static_cast<double>(mapping.toDeviceY(label.top)));
}

void CanvasPlotWindow::drawTraces(const TraceRequest& request) {
    readout_.setTraces(request);
    record_.setTraces(request);
    PlotCanvas surface = canvas();
    DrawTracesAggregated(surface, request);
    changed();
}

void CanvasPlotWindow::rememberPlot(const PlotScale& scale) { readout_.setScale(scale); }

void CanvasPlotWindow::resizePicture(int deviceWidth, int deviceHeight) {
    for (const PlotRecord::Label& label : record_.labels()) place(label);
    deviceWidth = std::max(deviceWidth, 1);
    deviceHeight = std::max(deviceHeight, 1);
    if (deviceWidth == width_ && deviceHeight == height_) return;
    width_ = deviceWidth;
    height_ = deviceHeight;
    pixels_.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
    readout_.setPictureSize(width_, height_);
    redraw();
}

bool CanvasPlotWindow::isChecked(ControlName option) const { return face_.isChecked(kWindow, option); }

void CanvasPlotWindow::check(ControlName option) { face_.check(kWindow, option); }

void CanvasPlotWindow::setText(ControlName box, const std::string& utf8) { face_.setText(kWindow, box, utf8); }

void CanvasPlotWindow::setTextColour(ControlName box, Rgb colour) { face_.setTextColour(kWindow, box, colour); }

void CanvasPlotWindow::setToolTip(const std::string& utf8) { face_.setToolTip(kWindow, kPlot, utf8); }

void CanvasPlotWindow::moveCursor(std::int64_t deviceColumn) { face_.moveCursor(kWindow, kPlot, deviceColumn); }

void CanvasPlotWindow::announce(const std::string& utf8) { face_.announce(utf8); }

void CanvasPlotWindow::describe(const std::string& utf8) { face_.describe(kWindow, kPlot, utf8); }

void CanvasPlotWindow::unload() {
    if (!created_) return;
    created_ = false;
    record_.clear();
    readout_.clear();
    redraw();
    face_.unloadWindow(kWindow);
}

std::span<const std::uint8_t> CanvasPlotWindow::rgbaPixels() const {
    return {reinterpret_cast<const std::uint8_t*>(pixels_.data()), pixels_.size() * sizeof(std::uint32_t)};
}

// WebAssembly is little-endian: the pixels are the bytes an ImageData holds.
PlotCanvas CanvasPlotWindow::canvas() {
    return PlotCanvas(pixels_.data(), width_, height_, width_, PixelLayout::RgbaBytes);
}

void CanvasPlotWindow::redraw() {
    PlotCanvas surface = canvas();
    surface.fill(background_);
    for (const PlotRecord::Line& line : record_.lines()) {
        surface.drawSegment(surface.toDevice(line.from), surface.toDevice(line.to), Argb(line.colour));
    }
    if (record_.traces()) DrawTracesAggregated(surface, *record_.traces());
    changed();
}

void CanvasPlotWindow::changed() {
    if (created_) face_.pictureChanged(kWindow, kPlot);
}

}  // namespace ostrevo::web
