#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "plot_window.h"

namespace ostrevo {

// What the waveform window shows of a plot, as the plot command drew it:
// the segments and the traces since the last erase, the labels placed since
// the window was loaded. The exports of
// the plot are made from it, so that they show what is on screen.
class PlotRecord {
public:
    struct Line {
        PlotPoint from;
        PlotPoint to;
        Rgb colour;
    };
    struct Label {
        ControlName control;
        std::string text;  // UTF-8
        float left = 0;
        float top = 0;
    };

    // erasePlot: the picture goes, the labels stay.
    void erasePicture() {
        lines_.clear();
        traces_.reset();
        ++revision_;
    }
    // The window unloaded: nothing of it is left.
    void clear() {
        const std::uint64_t revision = revision_ + 1;
        *this = PlotRecord();
        revision_ = revision;
    }
    void addLine(PlotPoint from, PlotPoint to, std::optional<Rgb> colour);
    void placeLabel(ControlName control, const std::string& utf8Text, float left, float top);
    void setTraces(const TraceRequest& request) {
        traces_ = request;
        ++revision_;
    }

    const std::vector<Line>& lines() const { return lines_; }
    const std::vector<Label>& labels() const { return labels_; }
    const std::optional<TraceRequest>& traces() const { return traces_; }
    // Changes whenever the traces do: an export made in parts checks that
    // every part comes from the same plot.
    std::uint64_t revision() const { return revision_; }

private:
    std::vector<Line> lines_;
    std::vector<Label> labels_;
    std::optional<TraceRequest> traces_;
    std::uint64_t revision_ = 0;
};

}  // namespace ostrevo
