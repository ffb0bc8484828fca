#pragma once
#include <QObject>

#include "plot_exports.h"
#include "plot_record.h"
#include "plot_window.h"
#include "window_interfaces.h"

namespace ostrevo {

namespace ui {
class WaveformWindow;
}

// Owns the waveform window: creates it hidden on demand, unloads it when it
// is closed through its frame, and replaces it by a fresh hidden instance on
// its "Esci". It tells the window's readout the plot it draws.
class WaveformWindowHost : public QObject, public PlotWindow {
    Q_OBJECT
public:
    // `messages` shows the windows' messages.
    explicit WaveformWindowHost(MessageBoxes& messages) : messages_(messages) {}
    ~WaveformWindowHost() override;

    void ensureCreated() override;
    void show() override;
    void erasePlot() override;
    void drawLine(PlotPoint from, PlotPoint to, std::optional<Rgb> colour) override;
    void placeLabel(ControlName control, const std::string& utf8Text, float left, float top) override;
    void drawTraces(const TraceRequest& request) override;
    void rememberPlot(const PlotScale& scale) override;

    // The loaded window, or nullptr when it is unloaded.
    ui::WaveformWindow* window() const { return window_; }
    // What the plot's exports ask the user through; tests replace the platform's dialogs.
    ui::ExportDialogs& exportDialogs() { return exportDialogs_; }

private:
    ui::WaveformWindow& loaded();
    void unload(ui::WaveformWindow* window);

    MessageBoxes& messages_;
    ui::WaveformWindow* window_ = nullptr;
    PlotRecord record_;  // what the loaded window shows, for its exports
    ui::ExportDialogs exportDialogs_ = ui::ExportDialogs::Platform();
};

}  // namespace ostrevo
