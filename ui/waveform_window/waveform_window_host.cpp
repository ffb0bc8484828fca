#include "waveform_window_host.h"

#include <QLabel>

#include "waveform_window.h"
#include "fast_trace_renderer.h"

namespace ostrevo {

WaveformWindowHost::~WaveformWindowHost() { delete window_; }

void WaveformWindowHost::ensureCreated() { loaded(); }

ui::WaveformWindow& WaveformWindowHost::loaded() {
    if (window_ == nullptr) {
        auto* window = new ui::WaveformWindow(messages_);
        connect(window, &ui::WaveformWindow::unloadRequested, this, [this, window] { unload(window); });
        connect(window, &ui::WaveformWindow::hideRequested, this, &WaveformWindowHost::ensureCreated);
        new ui::PlotExports(*window, record_, exportDialogs_);
        window_ = window;
    }
    return *window_;
}

// The window goes with its drawing, texts and selection. It is deleted once
// control has left its own handlers, which may still ask for a fresh window.
void WaveformWindowHost::unload(ui::WaveformWindow* window) {
    if (window != window_) return;
    window_->hide();
    window_->deleteLater();
    window_ = nullptr;
    record_.clear();
}

void WaveformWindowHost::show() {
    ui::WaveformWindow& window = loaded();
    // A new plot is meant to be seen: a minimized window comes back first.
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

void WaveformWindowHost::erasePlot() {
    loaded().erasePlot();
    record_.erasePicture();
}

void WaveformWindowHost::drawLine(PlotPoint from, PlotPoint to, std::optional<Rgb> colour) {
    loaded().picture1()->drawSegment(from, to, colour ? Argb(*colour) : ui::PictureArea::kForeground);
    record_.addLine(from, to, colour);
}

void WaveformWindowHost::placeLabel(ControlName control, const std::string& utf8Text, float left, float top) {
    QLabel* label = loaded().containedLabel(control);
    if (label == nullptr) return;
    label->setText(QString::fromStdString(utf8Text));
    record_.placeLabel(control, utf8Text, left, top);
    qobject_cast<ui::PictureArea*>(label->parentWidget())->placeChild(label, left, top);
}

void WaveformWindowHost::drawTraces(const TraceRequest& request) {
    ui::WaveformWindow& window = loaded();
    window.picture1()->drawOnCanvas([&](PlotCanvas& canvas) { DrawTracesAggregated(canvas, request); });
    window.readout().setTraces(request);
    record_.setTraces(request);
}

void WaveformWindowHost::rememberPlot(const PlotScale& scale) { loaded().readout().setScale(scale); }

}  // namespace ostrevo
