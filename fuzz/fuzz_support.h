#pragma once
// Fakes of the two windows and the helpers shared by the fuzz targets: they
// turn fuzzer bytes into field texts and check every request the model makes.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "form_interfaces.h"
#include "plot_window.h"

namespace ostrevo::fuzz {

// Stops the run with a report when a property of the model does not hold.
[[noreturn]] void Violation(const std::string& what);
inline void Require(bool holds, const std::string& what) {
    if (!holds) Violation(what);
}

bool IsValidUtf8(std::string_view text);

// The fifteen characters a typed number may hold: digits, ".", "e", "E", "+", "-".
bool IsNumberCharacter(char16_t c);

// The fifteen text fields of the main window: the twelve of the real circuit,
// in the order the validation chain checks them, then the three of the design
// block.
inline constexpr std::array<std::string_view, 15> kFieldNames{
    "Text1", "Text2", "Text9", "Text10", "Text11", "Text12", "Text8", "Text3",
    "Text4", "Text5", "Text6", "Text16", "Text14", "Text13", "Text15"};

// Bytes as a text: one code unit per byte, or one per pair of bytes (so that
// lone surrogates and every other code unit occur).
std::u16string TextFromBytes(std::string_view bytes, bool pairs);

// A field text made from fuzzer bytes: empty, ASCII (NUL and control
// characters included), raw UTF-16 code units (lone surrogates included), the
// field's example value, or a piece repeated to 32,760..40,000 code units.
std::u16string ConsumeFieldText(FuzzedDataProvider& data, std::string_view field);

// Texts of the real example, and of a design that shows no warning.
std::u16string SaneText(std::string_view field);

// The main window as the model sees it; remembers what the model wrote.
class FakeMainForm final : public MainForm {
public:
    std::u16string text(std::string_view control) const override;
    void setText(std::string_view control, const std::string& utf8) override;
    void setTextColour(std::string_view control, Rgb colour) override;

    void setField(std::string_view control, std::u16string text);
    std::string written(std::string_view control) const;  // "" when never written
    void forgetWritten() { written_.clear(); }

private:
    std::map<std::string, std::u16string, std::less<>> fields_;
    std::map<std::string, std::string, std::less<>> written_;
};

class RecordingMessageBoxes final : public MessageBoxes {
public:
    void show(const std::string& utf8Message) override;
    std::vector<std::string> shown;
};

// The waveform window: checks the order of the calls, the coordinates and the
// trace requests, and draws affordable traces with both renderers, which must
// give the same picture.
class CheckingPlotWindow final : public PlotWindow {
public:
    void ensureCreated() override { created_ = true; }
    void show() override;
    void erasePlot() override;
    void drawLine(PlotPoint from, PlotPoint to, std::optional<Rgb> colour) override;
    void placeLabel(std::string_view control, const std::string& utf8Text, float left, float top) override;
    void drawTraces(const TraceRequest& request) override;
    void rememberPlot(const PlotScale& scale) override;

    bool compareRenderers = true;  // off where only the request matters
    int traceRequests = 0;
    std::optional<TraceStop> lastStop;
    std::int32_t lastN = 0;
    std::int32_t lastNP = 0;

private:
    void requireCreated(const char* call) const;
    bool created_ = false;
};

}  // namespace ostrevo::fuzz
