#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "page_face.h"
#include "plot_canvas.h"
#include "plot_record.h"
#include "plot_window.h"

namespace ostrevo::web {

// The waveform window of the page. Picture1's raster lives here, in device
// pixels; the page copies it into its <canvas>. Everything drawn since the
// last erase is kept (the segments of the frame and the traces' request), so
// that a new size of the canvas draws the same plot sharp again.
class CanvasPlotWindow : public PlotWindow {
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
    // The pointer at a position in device pixels of the canvas: selects the
    // trace of its half and shows time and voltage.
    void readOutAt(double deviceX, double deviceY);
    // "Esci" of the window, or its close box: gone with everything it showed.
    void unload();

    // The raster as bytes red, green, blue, alpha, row after row (a view of it).
    std::span<const std::uint8_t> rgbaPixels() const;
    int pictureWidth() const { return width_; }
    int pictureHeight() const { return height_; }
    // What the window shows, for the plot's exports.
    const PlotRecord& record() const { return record_; }

private:
    struct Segment {
        PlotPoint from;
        PlotPoint to;
        std::uint32_t argb;
    };
    // A label as the plot command placed it, in user coordinates of its area.
    struct PlacedLabel {
        ControlName control;
        float left;
        float top;
    };
    PlotCanvas canvas();
    void place(const PlacedLabel& label);
    void redraw();
    void changed();

    PageFace& face_;
    std::uint32_t background_;
    std::uint32_t foreground_;
    std::string decimalSeparator_;
    bool created_ = false;
    int width_ = 1;
    int height_ = 1;
    std::vector<std::uint32_t> pixels_;
    std::vector<Segment> segments_;
    std::vector<PlacedLabel> labels_;
    std::optional<TraceRequest> traces_;
    PlotScale scale_;
    PlotRecord record_;
};

}  // namespace ostrevo::web
