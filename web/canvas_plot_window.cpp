#include "canvas_plot_window.h"

#include <algorithm>

#include "cursor_readout.h"
#include "fast_trace_renderer.h"
#include "plot_mapping.h"
#include "trace.h"
#include "waveform_form.h"

namespace ostrevo::web {
namespace {

constexpr ControlName kWindow = form2::Form2;
constexpr ControlName kPlot = form2::Picture1;
// What the plot area is filled with.
Rgb PlotBackground() { return FindControl(form2::kForm, kPlot)->looks.background; }

const form2::Readout& ReadoutOf(Trace trace) { return form2::kReadouts[static_cast<std::size_t>(trace)]; }

}  // namespace

CanvasPlotWindow::CanvasPlotWindow(PageFace& face, std::string decimalSeparator)
    : face_(face), background_(Argb(PlotBackground())), foreground_(Argb(form2::kPlotForeground)),
      decimalSeparator_(std::move(decimalSeparator)), pixels_(1) {
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
    segments_.clear();
    traces_.reset();
    redraw();
}

void CanvasPlotWindow::drawLine(PlotPoint from, PlotPoint to, std::optional<Rgb> colour) {
    const Segment segment{from, to, colour ? Argb(*colour) : foreground_};
    segments_.push_back(segment);
    record_.addLine(from, to, colour);
    PlotCanvas surface = canvas();
    surface.drawSegment(surface.toDevice(from), surface.toDevice(to), segment.argb);
    changed();
}

void CanvasPlotWindow::placeLabel(ControlName control, const std::string& utf8Text, float left, float top) {
    face_.setText(kWindow, control, utf8Text);
    record_.placeLabel(control, utf8Text, left, top);
    const PlacedLabel label{control, left, top};
    const auto same = std::find_if(labels_.begin(), labels_.end(),
                                   [control](const PlacedLabel& placed) { return placed.control == control; });
    if (same == labels_.end()) labels_.push_back(label);
    else *same = label;
    place(label);
}

// As in a picture area of the desktop: the label's corner falls on the pixel
// of its user coordinates, counted in CSS pixels of the area's present inner size.
void CanvasPlotWindow::place(const PlacedLabel& label) {
    const ControlName area = FindControl(form2::kForm, label.control)->container;
    const PlotCanvas mapping(nullptr, static_cast<int>(face_.innerWidth(kWindow, area)),
                             static_cast<int>(face_.innerHeight(kWindow, area)), 0);
    face_.place(kWindow, label.control, static_cast<double>(mapping.toDeviceX(label.left)),
                static_cast<double>(mapping.toDeviceY(label.top)));
}

void CanvasPlotWindow::drawTraces(const TraceRequest& request) {
    traces_ = request;
    record_.setTraces(request);
    PlotCanvas surface = canvas();
    DrawTracesAggregated(surface, request);
    changed();
}

void CanvasPlotWindow::rememberPlot(const PlotScale& scale) { scale_ = scale; }

void CanvasPlotWindow::resizePicture(int deviceWidth, int deviceHeight) {
    for (const PlacedLabel& label : labels_) place(label);
    deviceWidth = std::max(deviceWidth, 1);
    deviceHeight = std::max(deviceHeight, 1);
    if (deviceWidth == width_ && deviceHeight == height_) return;
    width_ = deviceWidth;
    height_ = deviceHeight;
    pixels_.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
    redraw();
}

void CanvasPlotWindow::readOutAt(double deviceX, double deviceY) {
    if (!created_ || width_ < 2 || height_ < 2) return;
    const PlotCanvas mapping = canvas();
    const auto x = static_cast<float>(mapping.toUserX(deviceX));
    const auto y = static_cast<float>(mapping.toUserY(deviceY));
    if (const auto trace = TraceAt(y)) face_.check(kWindow, ReadoutOf(*trace).option);
    const Trace trace = face_.isChecked(kWindow, ReadoutOf(Trace::Vc).option) ? Trace::Vc : Trace::Vo;
    const Readout readout = ReadOut(trace, scale_, x, y, decimalSeparator_);
    const form2::Readout& shown = ReadoutOf(trace);
    const form2::Readout& cleared = ReadoutOf(trace == Trace::Vc ? Trace::Vo : Trace::Vc);
    face_.setText(kWindow, shown.time, readout.time);
    face_.setText(kWindow, shown.voltage, readout.voltage);
    face_.setTextColour(kWindow, shown.voltage, shown.voltageColour);
    face_.setText(kWindow, cleared.time, "");
    face_.setText(kWindow, cleared.voltage, "");
    face_.setToolTip(kWindow, kPlot, readout.toolTip);
}

void CanvasPlotWindow::unload() {
    if (!created_) return;
    created_ = false;
    record_.clear();
    segments_.clear();
    labels_.clear();
    traces_.reset();
    scale_ = {};
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
    for (const Segment& segment : segments_) {
        surface.drawSegment(surface.toDevice(segment.from), surface.toDevice(segment.to), segment.argb);
    }
    if (traces_) DrawTracesAggregated(surface, *traces_);
    changed();
}

void CanvasPlotWindow::changed() {
    if (created_) face_.pictureChanged(kWindow, kPlot);
}

}  // namespace ostrevo::web
