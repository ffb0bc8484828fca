#include "plot_record.h"

#include <algorithm>

#include "waveform_form.h"

namespace ostrevo {

void PlotRecord::addLine(PlotPoint from, PlotPoint to, std::optional<Rgb> colour) {
    lines_.push_back({from, to, colour.value_or(form2::kPlotForeground)});
}

void PlotRecord::placeLabel(ControlName control, const std::string& utf8Text, float left, float top) {
    const auto same = std::find_if(labels_.begin(), labels_.end(), [control](const Label& placed) { return placed.control == control; });
    if (same == labels_.end()) {
        labels_.push_back({control, utf8Text, left, top});
    } else {
        *same = {control, utf8Text, left, top};
    }
}

}  // namespace ostrevo
