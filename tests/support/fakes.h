#pragma once
#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "fields.h"
#include "plot_window.h"
#include "window_interfaces.h"

namespace ostrevo::testing {

// The main window as the commands see it: the fifteen text fields, empty at first, and the labels the commands
// write. Tests type ASCII, the commands write ASCII numbers: one code unit per byte. Reading a control that is
// not there is a fault of the test (std::out_of_range).
class FakeForm : public MainForm {
public:
    FakeForm() {
        for (const Field& field : kFields) texts[std::string(form1::FieldControl(field.id))];
    }
    void type(std::string_view control, std::string_view ascii) {
        texts[std::string(control)] = std::u16string(ascii.begin(), ascii.end());
    }
    std::string shown(std::string_view control) const {  // "" for a control never written
        const auto it = texts.find(control);
        return it == texts.end() ? std::string() : std::string(it->second.begin(), it->second.end());
    }
    std::u16string& textOf(FieldId field) { return texts.at(std::string(form1::FieldControl(field))); }
    bool wrote(std::string_view control) const {
        return std::find(writes.begin(), writes.end(), control) != writes.end();
    }

    std::u16string text(ControlName control) const override { return texts.at(std::string(control)); }
    void setText(ControlName control, const std::string& utf8) override {
        type(control, utf8);
        writes.emplace_back(control);
    }
    void setTextColour(ControlName control, Rgb colour) override { colours[std::string(control)] = colour; }

    std::map<std::string, std::u16string, std::less<>> texts;
    std::map<std::string, Rgb, std::less<>> colours;
    std::vector<std::string> writes;  // the controls written, in order
};

class FakeMessages : public MessageBoxes {
public:
    std::vector<std::string> shown;
    void show(const std::string& utf8Message) override { shown.push_back(utf8Message); }
};

// Samples 0..N + 1 of one trace of a request, in a buffer.
inline std::vector<double> SamplesOf(const TraceRequest& request, Trace trace) {
    std::vector<double> samples;
    for (std::int64_t k = 0; k <= std::int64_t{request.N} + 1; ++k) samples.push_back(request.samples->sample(trace, k));
    return samples;
}

// What the plot command asked of the waveform window.
class FakePlotWindow : public PlotWindow {
public:
    std::string log;  // a letter a call: Created, Erased, Shown, line, Label, remembered, traces
    std::vector<PlotScale> remembered;
    std::vector<TraceRequest> traces;  // each keeps its samples
    std::function<void()> whenShown;  // called from show(), when set

    void clear() { log.clear(), remembered.clear(), traces.clear(); }
    void ensureCreated() override { log += 'C'; }
    void erasePlot() override { log += 'E'; }
    void show() override {
        log += 'S';
        if (whenShown) whenShown();
    }
    void drawLine(PlotPoint, PlotPoint, std::optional<Rgb>) override { log += 'l'; }
    void placeLabel(ControlName, const std::string&, float, float) override { log += 'L'; }
    void rememberPlot(const PlotScale& scale) override {
        log += 'r';
        remembered.push_back(scale);
    }
    void drawTraces(const TraceRequest& r) override {
        log += 't';
        traces.push_back(r);
    }
};

}  // namespace ostrevo::testing
