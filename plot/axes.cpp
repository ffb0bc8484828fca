#include "axes.h"

#include <array>
#include <string>

#include "catalogue.h"
#include "fault.h"
#include "fp_status.h"
#include "number_format.h"
#include "plot_mapping.h"
#include "waveform_form.h"

namespace ostrevo {
namespace {

PlotPoint At(double x, double y) { return {static_cast<float>(x), static_cast<float>(y)}; }

struct Caption {
    ControlName control;
    const char* text;
    float top;
};

constexpr std::array<Caption, 7> kVoltageCaptions{{
    {form2::Label6, "vc(t)[V]", 99.5F},
    {form2::Label7, "v+", 97},
    {form2::Label8, "v-", 75},
    {form2::Label12, "0", 52},
    {form2::Label11, "vo(t)", 50},
    {form2::Label13, "Vcc", 48},
    {form2::Label4, "0", 2},
}};

constexpr float kCaptionLeft = 15;
constexpr float kTimeLabelTop = 3;
// The zero line of vo lies just above the bottom edge, where it shows.
constexpr double kVoZeroLineY = 0.1;

Fault CannotLabel(int faults) {
    return Fault(Say(Text::CannotLabelTimeAxis, {{"reason", fp::DescribeFaults(faults)}}));
}

}  // namespace

void DrawAxes(PlotWindow& plot) {
    for (int y = 100; y > 0; y -= 5) plot.drawLine(At(0, y), At(0.2, y), std::nullopt);
    for (int x = 0; x <= 100; x += 25) plot.drawLine(At(x, 0), At(x, 0.5), std::nullopt);
    plot.drawLine(At(0, kVcZeroY), At(kUserExtent, kVcZeroY), TraceColour(Trace::Vc));
    plot.drawLine(At(0, kVoZeroLineY), At(kUserExtent, kVoZeroLineY), TraceColour(Trace::Vo));
}

void LabelAxes(PlotWindow& plot, const PlotScale& scale, std::string_view decimalSeparator) {
    const fp::Checked duration = fp::Evaluate(
        [](auto t1, auto t2, auto periods) { return (t1 + t2) * periods; }, scale.ts, scale.tc,
        static_cast<double>(scale.NP));
    if (duration.failed()) throw CannotLabel(duration.faults);

    const auto placeTime = [&](ControlName control, double time, float left) {
        plot.placeLabel(control, FormatScientific(time, 2, decimalSeparator), left, kTimeLabelTop);
    };
    placeTime(form2::Label1, duration.value / 2, 49);
    placeTime(form2::Label2, duration.value / 4, 24);
    const fp::Checked threeQuarters = fp::Evaluate([](auto d) { return d * 3 / 4; }, duration.value);
    if (threeQuarters.failed()) throw CannotLabel(threeQuarters.faults);
    placeTime(form2::Label3, threeQuarters.value, 74);

    for (const Caption& caption : kVoltageCaptions) {
        plot.placeLabel(caption.control, caption.text, kCaptionLeft, caption.top);
    }
}

}  // namespace ostrevo
