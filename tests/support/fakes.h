#pragma once
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "form_interfaces.h"
#include "plot_window.h"

namespace ostrevo::testing {

// UTF-8 to the form's UTF-16 and back (characters of the Basic Multilingual Plane).
std::u16string U16(std::string_view utf8);
std::string Utf8(std::u16string_view text);

// The main window as the commands see it: the fifteen text fields, empty at
// first, and whatever labels the commands write. Reading a control that is
// not there is a fault of the test (std::out_of_range).
class FakeForm : public MainForm {
public:
    FakeForm();

    void type(std::string_view control, std::string_view utf8) { texts[std::string(control)] = U16(utf8); }
    std::string shown(std::string_view control) const;  // "" for a control never written
    bool wrote(std::string_view control) const;         // among `writes`
    std::vector<std::string> writtenControls() const;    // of `writes`, in order

    std::u16string text(std::string_view control) const override;
    void setText(std::string_view control, const std::string& utf8) override;
    void setTextColour(std::string_view control, Rgb colour) override;

    std::map<std::string, std::u16string, std::less<>> texts;
    std::map<std::string, Rgb, std::less<>> colours;
    struct Write {
        std::string control;
        std::string utf8;
    };
    std::vector<Write> writes;  // what the commands wrote, in order
};

class FakeMessages : public MessageBoxes {
public:
    std::vector<std::string> shown;
    void show(const std::string& utf8Message) override { shown.push_back(utf8Message); }
};

// What the plot command asked of the waveform window, call by call.
struct LineCall {
    PlotPoint from;
    PlotPoint to;
    std::optional<Rgb> colour;
};
struct LabelCall {
    std::string control;
    std::string text;
    float left = 0;
    float top = 0;
};
// A trace request, with copies of its samples.
struct TracesCall {
    std::vector<double> vc;
    std::vector<double> vo;
    std::int32_t N = 0;
    std::int32_t NP = 0;
    double VPlus = 0;
    double Vcc = 0;
    std::optional<TraceStop> stop;

    TraceRequest request() const { return {vc, vo, N, NP, VPlus, Vcc, stop}; }
};
enum class WindowCall { EnsureCreated, Show, Erase };
using PlotCall = std::variant<WindowCall, LineCall, LabelCall, TracesCall, PlotScale>;

class FakePlotWindow : public PlotWindow {
public:
    std::vector<PlotCall> calls;
    std::function<void()> whenShown;  // called from show(), when set

    void ensureCreated() override { calls.emplace_back(WindowCall::EnsureCreated); }
    void show() override;
    void erasePlot() override { calls.emplace_back(WindowCall::Erase); }
    void drawLine(PlotPoint from, PlotPoint to, std::optional<Rgb> colour) override {
        calls.emplace_back(LineCall{from, to, colour});
    }
    void placeLabel(std::string_view control, const std::string& text, float left, float top) override {
        calls.emplace_back(LabelCall{std::string(control), text, left, top});
    }
    void drawTraces(const TraceRequest& r) override {
        calls.emplace_back(TracesCall{{r.vcSamples.begin(), r.vcSamples.end()},
                                      {r.voSamples.begin(), r.voSamples.end()},
                                      r.N, r.NP, r.VPlus, r.Vcc, r.stop});
    }
    void rememberPlot(const PlotScale& scale) override { calls.emplace_back(scale); }

    // The calls of one kind, in order.
    template <typename Call>
    std::vector<Call> all() const {
        std::vector<Call> found;
        for (const PlotCall& call : calls) {
            if (const auto* typed = std::get_if<Call>(&call)) found.push_back(*typed);
        }
        return found;
    }
};

}  // namespace ostrevo::testing
