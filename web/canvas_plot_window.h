#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "page_face.h"
#include "plot_canvas.h"
#include "plot_readout.h"
#include "plot_record.h"
#include "plot_window.h"

namespace ostrevo::web {

// The waveform window of the page. Picture1's raster lives here, in device
// pixels; the page copies it into its <canvas>. What the window shows is kept
// once, in its PlotRecord (the segments of the frame and the traces' request
// since the last erase, the labels), so that a new size of the canvas draws
// the same plot sharp again and the exports show what is on screen. Its readout
// controls are the core's readout's panel: mouse, touch and keys read out there.
class CanvasPlotWindow : public PlotWindow, private ReadoutPanel {
public:
    // Readouts are written with `decimalSeparator`.
    CanvasPlotWindow(PageFace& face, std::string decimalSeparator);

    void ensureCreated() override;
    void show() override;
    void erasePlot() override;
    void drawLine(PlotPoint from, PlotPoint to, std::optional<Rgb> colour) override;
    void placeLabel(ControlName control, const std::string& utf8Text, float left, float top) override;
    void drawTraces(const TraceRequest& request) override;
    void rememberPlot(const PlotScale& scale) override;

    // The picture areas as the page shows them now, Picture1's canvas at
    // `deviceWidth` x `deviceHeight` device pixels: the plot is drawn again at
    // that size, and every label placed so far is placed again for the areas'
    // present sizes (a phone shows them at other sizes than the design's).
    void resizePicture(int deviceWidth, int deviceHeight);
    // The plot's readout: the pointer at a position in device pixels of the
    // canvas, a key while Picture1 has the focus, the audio trace's cursor.
    PlotReadout& readout() { return readout_; }
    const PlotReadout& readout() const { return readout_; }
    // "Esci" of the window, or its close box: gone with everything it showed.
    void unload();

    // The raster as bytes red, green, blue, alpha, row after row (a view of it).
    std::span<const std::uint8_t> rgbaPixels() const;
    int pictureWidth() const { return width_; }
    int pictureHeight() const { return height_; }
    // What the window shows, for the plot's exports.
    const PlotRecord& record() const { return record_; }

private:
    // ReadoutPanel: the readout's controls of the window.
    bool isChecked(ControlName option) const override;
    void check(ControlName option) override;
    void setText(ControlName box, const std::string& utf8) override;
    void setTextColour(ControlName box, Rgb colour) override;
    void setToolTip(const std::string& utf8) override;
    void moveCursor(std::int64_t deviceColumn) override;
    void announce(const std::string& utf8) override;
    void describe(const std::string& utf8) override;

    PlotCanvas canvas();
    void place(const PlotRecord::Label& label);
    void redraw();
    void changed();

    PageFace& face_;
    std::uint32_t background_;
    bool created_ = false;
    int width_ = 1;
    int height_ = 1;
    std::vector<std::uint32_t> pixels_;
    PlotReadout readout_;
    PlotRecord record_;
};

}  // namespace ostrevo::web
