#pragma once
#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include <gtest/gtest.h>

#include "form_interfaces.h"
#include "module1.h"
#include "plot_window.h"

namespace ostrevo::testing {

// Converts test text (ASCII and the few accented letters used) to the form's UTF-16.
inline std::u16string U16(std::string_view utf8) {
    std::u16string text;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80) {
            text.push_back(byte);
        } else {
            text.push_back(static_cast<char16_t>(((byte & 0x1F) << 6) | (utf8[++i] & 0x3F)));
        }
    }
    return text;
}

class FakeForm : public MainForm {
public:
    std::map<std::string, std::u16string, std::less<>> texts;
    std::map<std::string, Rgb, std::less<>> colours;
    std::vector<std::string> writes;  // controls in the order they were written

    void type(std::string_view control, std::string_view utf8) { texts[std::string(control)] = U16(utf8); }
    std::string shown(std::string_view control) const {
        const auto it = texts.find(control);
        return it == texts.end() ? std::string() : std::string(it->second.begin(), it->second.end());
    }

    std::u16string text(std::string_view control) const override {
        const auto it = texts.find(control);
        return it == texts.end() ? std::u16string() : it->second;
    }
    void setText(std::string_view control, const std::string& utf8) override {
        texts[std::string(control)] = U16(utf8);
        writes.emplace_back(control);
    }
    void setTextColour(std::string_view control, Rgb colour) override { colours[std::string(control)] = colour; }
};

class FakeMessages : public MessageBoxes {
public:
    std::vector<std::string> shown;
    void show(const std::string& utf8Message) override { shown.push_back(utf8Message); }
};

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
struct TracesCall {
    std::vector<double> vc;
    std::vector<double> vo;
    std::int32_t N = 0;
    std::int32_t NP = 0;
    double VPlus = 0;
    double Vcc = 0;
    std::optional<TraceStop> stop;
};
using RememberCall = PlotScale;
enum class WindowCall { EnsureCreated, Show, Erase };
using PlotCall = std::variant<WindowCall, LineCall, LabelCall, TracesCall, RememberCall>;

class FakePlot : public PlotWindow {
public:
    std::vector<PlotCall> calls;

    void ensureCreated() override { calls.emplace_back(WindowCall::EnsureCreated); }
    void show() override { calls.emplace_back(WindowCall::Show); }
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

    template <typename Call>
    std::vector<Call> all() const {
        std::vector<Call> found;
        for (const PlotCall& call : calls) {
            if (const auto* typed = std::get_if<Call>(&call)) found.push_back(*typed);
        }
        return found;
    }
};

// The example data sets of the main window, field by field.
struct CircuitTexts {
    const char* vcc = "12";
    const char* rc = "22";
    const char* rs = "4.7";
    const char* roh = "0";
    const char* rol = "0";
    const char* ci = "0";
    const char* c = "1";
    const char* vPlus = "8";
    const char* vMinus = "4";
    const char* vd = "0";
    const char* np = "5";
    const char* n = "1000";
};

inline const CircuitTexts kIdealCircuit{};
inline const CircuitTexts kRealCircuit{"12", "22", "4.7", "195", "75", "5", "1", "6.7", "5.33", "0.6", "5", "1000"};

inline void TypeCircuit(FakeForm& form, const CircuitTexts& t) {
    const std::pair<const char*, const char*> typed[] = {
        {"Text1", t.vcc}, {"Text2", t.rc}, {"Text9", t.rs},     {"Text10", t.roh}, {"Text11", t.rol}, {"Text12", t.ci},
        {"Text8", t.c},   {"Text3", t.vPlus}, {"Text4", t.vMinus}, {"Text5", t.vd}, {"Text6", t.np},   {"Text16", t.n}};
    for (const auto& [control, text] : typed) form.type(control, text);
}

// What the plot establishes before it samples, for the parameters already in
// the model: the two times, the sample step (either may be given instead) and
// buffers of N + 2 samples holding `fill`.
inline void PrepareSampling(Module1& module, std::optional<double> ts = {}, std::optional<double> step = {},
                            double fill = 0.0) {
    module.ComputeDischargeTime();
    module.ComputeChargeTime();
    module.ts = ts.value_or(module.ts);
    module.SampleStep = step.value_or((module.tc + module.ts) / module.Parameters.N);
    const auto length = static_cast<std::size_t>(std::max(module.Parameters.N + 2, 1));
    module.VcSamples.assign(length, fill);
    module.VoSamples.assign(length, fill);
}

// The model with a fake form and recording message boxes.
class ModuleTest : public ::testing::Test {
protected:
    FakeForm form;
    FakeMessages messages;
    Module1 module{form, messages};
};

}  // namespace ostrevo::testing
