#include "plot_readout.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "catalogue.h"
#include "plot_description.h"
#include "plot_mapping.h"
#include "waveform_form.h"

namespace ostrevo {
namespace {

const form2::Readout& ReadoutOf(Trace trace) { return form2::kReadouts[static_cast<std::size_t>(trace)]; }

Trace Other(Trace trace) { return trace == Trace::Vc ? Trace::Vo : Trace::Vc; }

// The instants where vo(t) changes level, counted from 0: the end of the
// discharge of period 1 (vc reaches v-), the end of its charge (vc reaches
// v+), the end of the discharge of period 2, ... up to the right edge.
struct SwitchingInstants {
    double ts;
    double period;
    std::int64_t count;

    explicit SwitchingInstants(const PlotScale& scale)
        : ts(scale.ts), period(scale.ts + scale.tc), count(Usable(scale) ? 2 * std::int64_t{scale.NP} : 0) {}

    double at(std::int64_t instant) const {
        const auto periodsBefore = static_cast<double>(instant / 2);
        return periodsBefore * period + (instant % 2 == 0 ? ts : period);
    }

private:
    static bool Usable(const PlotScale& scale) {
        return scale.NP >= 1 && std::isfinite(scale.ts) && std::isfinite(scale.tc) && scale.ts >= 0 && scale.tc >= 0 &&
               scale.ts + scale.tc > 0;
    }
};

}  // namespace

PlotReadout::PlotReadout(ReadoutPanel& panel, std::string decimalSeparator)
    : panel_(panel), decimalSeparator_(std::move(decimalSeparator)) {}

void PlotReadout::clear() {
    scale_.reset();
    traces_.reset();
    panel_.describe(FindControl(form2::kForm, form2::Picture1)->accessible.description);
}

void PlotReadout::erase() {
    traces_.reset();
    describePlot();
}

void PlotReadout::setScale(const PlotScale& scale) {
    scale_ = scale;
    traces_.reset();
    describePlot();
}

void PlotReadout::setTraces(const TraceRequest& request) {
    traces_ = request;
    describePlot();
}

void PlotReadout::setPictureSize(int deviceWidth, int deviceHeight) {
    width_ = std::max(deviceWidth, 1);
    height_ = std::max(deviceHeight, 1);
    moveTo(column_);
}

void PlotReadout::describePlot() {
    if (scale_) panel_.describe(DescribePlot(*scale_, traces_ ? &*traces_ : nullptr, decimalSeparator_));
}

PlotCanvas PlotReadout::mapping() const { return PlotCanvas(nullptr, width_, height_, width_); }

Trace PlotReadout::selectedTrace() const {
    return panel_.isChecked(ReadoutOf(Trace::Vc).option) ? Trace::Vc : Trace::Vo;
}

void PlotReadout::select(Trace trace) { panel_.check(ReadoutOf(trace).option); }

void PlotReadout::show(Trace trace, const Readout& readout) {
    const form2::Readout& shown = ReadoutOf(trace);
    const form2::Readout& cleared = ReadoutOf(Other(trace));
    panel_.setText(shown.time, readout.time);
    panel_.setText(shown.voltage, readout.voltage);
    panel_.setTextColour(shown.voltage, shown.voltageColour);
    panel_.setText(cleared.time, "");
    panel_.setText(cleared.voltage, "");
    panel_.setToolTip(readout.toolTip);
}

void PlotReadout::moveTo(std::int64_t column) {
    column_ = std::clamp<std::int64_t>(column, 0, lastColumn());
    panel_.moveCursor(column_);
}

void PlotReadout::pointerAt(double deviceX, double deviceY) {
    const PlotCanvas plot = mapping();
    const auto x = static_cast<float>(plot.toUserX(deviceX));
    const auto y = static_cast<float>(plot.toUserY(deviceY));
    if (const auto trace = TraceAt(y)) select(*trace);
    show(selectedTrace(), ReadOut(selectedTrace(), scale_.value_or(PlotScale{}), x, y, decimalSeparator_));
    moveTo(static_cast<std::int64_t>(std::lround(std::clamp(deviceX, 0.0, static_cast<double>(lastColumn())))));
}

void PlotReadout::press(ReadoutKey key) {
    const std::int64_t tenth = std::max<std::int64_t>(width_ / 10, 1);
    switch (key) {
        case ReadoutKey::ColumnLeft: moveTo(column_ - 1); break;
        case ReadoutKey::ColumnRight: moveTo(column_ + 1); break;
        case ReadoutKey::TenthLeft: moveTo(column_ - tenth); break;
        case ReadoutKey::TenthRight: moveTo(column_ + tenth); break;
        case ReadoutKey::FirstColumn: moveTo(0); break;
        case ReadoutKey::LastColumn: moveTo(lastColumn()); break;
        case ReadoutKey::UpperTrace: select(Trace::Vc); break;
        case ReadoutKey::LowerTrace: select(Trace::Vo); break;
        case ReadoutKey::PreviousSwitch: moveTo(switchFrom(column_, false).value_or(column_)); break;
        case ReadoutKey::NextSwitch: moveTo(switchFrom(column_, true).value_or(column_)); break;
    }
    readCursor(true);
}

void PlotReadout::followSound(std::int64_t deviceColumn) {
    moveTo(deviceColumn);
    readCursor(false);
}

void PlotReadout::readCursor(bool announce) {
    const Trace trace = selectedTrace();
    const PlotCanvas plot = mapping();
    const auto x = static_cast<float>(plot.toUserX(static_cast<double>(column_)));
    const std::optional<float> height = drawnHeight(trace, column_);
    // Where nothing is drawn the cursor reads the half's zero line.
    const float y = height.value_or(trace == Trace::Vc ? static_cast<float>(kVcZeroY) : 0.0F);
    const Readout readout = ReadOut(trace, scale_.value_or(PlotScale{}), x, y, decimalSeparator_);
    show(trace, readout);
    if (height) {
        if (!announce) return;
        panel_.announce(
            Say(Text::ReadoutSpoken, {{"trace", TraceName(trace)}, {"time", readout.time}, {"voltage", readout.voltage}}));
    } else {
        panel_.setText(ReadoutOf(trace).voltage, "");
        if (announce) panel_.announce(Say(Text::ReadoutSpokenNoTrace, {{"trace", TraceName(trace)}, {"time", readout.time}}));
    }
}

// The row of the trace in the column's x, on a pixel drawn there: the end
// of the drawn segment nearest to it, or the pixel where that segment
// crosses the column. So the keys read what the pointer reads when it lies
// on the trace there. A column more than a column's width from every drawn
// sample has no trace.
std::optional<float> PlotReadout::drawnHeight(Trace trace, std::int64_t column) const {
    if (!traces_ || traces_->NP < 1 || traces_->N < 1) return std::nullopt;
    const TraceRequest& request = *traces_;
    if (request.stopsIn(Trace::Vc) && trace == Trace::Vo) return std::nullopt;  // vo is drawn after vc
    const std::int64_t lastSample = std::int64_t{request.lastSegment(trace)} + 1;
    if (lastSample < 2) return std::nullopt;
    const PlotCanvas plot = mapping();
    const double x = plot.toUserX(static_cast<double>(column));
    const double periodWidth = kUserExtent / request.NP;
    // With a stop only the first period is drawn.
    const auto period = std::clamp<std::int64_t>(static_cast<std::int64_t>(std::floor(x / periodWidth)) + 1, 1,
                                                 request.stop ? 1 : request.NP);
    const double at = SampleAtX(x, period, request.NP, request.N);
    const double drawnAt = std::clamp(at, 1.0, static_cast<double>(lastSample));
    const double samplesPerColumn = plot.toUserX(1.0) / periodWidth * request.N;
    if (!(std::abs(drawnAt - at) <= std::max(samplesPerColumn, 0.5))) return std::nullopt;
    const auto pixelOf = [&](std::int64_t k) {
        const double value = request.samples->sample(trace, k);
        const double y = trace == Trace::Vc ? VcToY(value, request.VPlus) : VoToY(value, request.Vcc);
        const double x = PlotX(static_cast<std::int32_t>(period), static_cast<std::int32_t>(k), request.NP, request.N);
        return DevicePixel{plot.toDeviceX(static_cast<float>(x)), plot.toDeviceY(static_cast<float>(y))};
    };
    const auto before = static_cast<std::int64_t>(std::floor(drawnAt));
    const DevicePixel from = pixelOf(before);
    const DevicePixel to = pixelOf(std::min(before + 1, lastSample));
    const DevicePixel& nearest = drawnAt - static_cast<double>(before) < 0.5 ? from : to;
    std::int64_t row = nearest.y;
    if (nearest.x != column && from.x <= column && column <= to.x) row = plot.rowCovering(from, to, column);
    return static_cast<float>(plot.toUserY(static_cast<double>(row)));
}

std::optional<std::int64_t> PlotReadout::switchFrom(std::int64_t column, bool forwards) const {
    if (!scale_) return std::nullopt;
    const SwitchingInstants instants(*scale_);
    const double span = instants.period * scale_->NP;
    const PlotCanvas plot = mapping();
    const auto columnOf = [&](std::int64_t instant) {
        return plot.toDeviceX(static_cast<float>(kUserExtent * instants.at(instant) / span));
    };
    // Columns grow with the instants: the first instant past `column`.
    std::int64_t low = 0;
    std::int64_t high = instants.count;
    while (low < high) {
        const std::int64_t middle = low + (high - low) / 2;  // mutants: skip (any split finds the same instant)
        const bool past = forwards ? columnOf(middle) > column : columnOf(middle) >= column;
        (past ? high : low) = past ? middle : middle + 1;
    }
    if (forwards) return low < instants.count ? std::optional(columnOf(low)) : std::nullopt;
    return low > 0 ? std::optional(columnOf(low - 1)) : std::nullopt;
}

AudioTrace PlotReadout::sound(int sampleRate) const {
    const Trace trace = selectedTrace();
    const double halfBottom = trace == Trace::Vc ? kVcZeroY : 0.0;
    const double halfHeight = kUserExtent / 2;
    std::vector<SoundColumn> columns;
    std::optional<std::int64_t> nextSwitch = switchFrom(column_ - 1, true);
    for (std::int64_t column = column_; column <= lastColumn(); ++column) {
        SoundColumn sounding;
        if (const auto y = drawnHeight(trace, column)) {
            sounding.height = std::clamp((*y - halfBottom) / halfHeight, 0.0, 1.0);
        }
        while (nextSwitch && *nextSwitch < column) nextSwitch = switchFrom(*nextSwitch, true);
        sounding.switches = nextSwitch == column;
        columns.push_back(sounding);
    }
    return SoundOf(columns, column_, kAudioTraceSeconds / static_cast<double>(width_), sampleRate);
}

}  // namespace ostrevo
