#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "fault.h"
#include "form_interfaces.h"
#include "plot_window.h"

namespace ostrevo {

// The twelve values typed for the real circuit, in internal units
// (V, kohm, nF; RoH, RoL and Ci already scaled from ohm and pF).
struct CircuitParameters {
    double Vcc = 0;
    double Rc = 0;
    double Rs = 0;
    double RoH = 0;
    double RoL = 0;
    double Ci = 0;
    double C = 0;
    double VPlus = 0;
    double VMinus = 0;
    double Vd = 0;
    std::int32_t NP = 0;
    std::int32_t N = 0;
};

struct EntryStep;

// Which command reads the fields: the two read them in different orders.
enum class ReadOrder { TimingCommand, DrawWaveforms };

// Leading decimal number of a typed text ("." always the separator, blanks,
// tabs and line feeds ignored, 0 when no number begins the text).
// Throws Fault when the number lies beyond the range of a double.
double ParseLeadingNumber(std::u16string_view text);

// Nearest 32-bit integer, halves to even. Throws Fault outside the range.
std::int32_t RoundToInt32(double value);

// The circuit model: one state for the whole process and the procedures that
// work on it. The application owns the one instance; tests make their own.
class Module1 {
public:
    Module1(MainForm& form, MessageBoxes& messages);

    // --- commands of the main window ---
    void Command1_Click();                  // "Calcola  ts; tc"
    void Command2_Click(PlotWindow& plot);  // "Grafici"
    void Command4_Click();                  // "Calcola Rc e Rs"

    // --- procedures ---
    void ReadParameters(ReadOrder order);
    void CheckNumericEntry(const std::u16string& text);
    bool ValidationChain();        // true when all twelve fields pass
    bool DesignValidationChain();  // true when all four fields pass
    void ComputeDischargeTime();
    void ComputeChargeTime();
    void SampleWaveforms();
    void DrawWaveforms(PlotWindow& plot);
    void PlaceAxisLabels(PlotWindow& plot);

    // --- module state ---
    CircuitParameters Parameters;
    double ts = 0;
    double tc = 0;
    double SampleStep = 0;
    double PlotDuration = 0;
    double ChargeCurrent = 0;
    double DischargeCurrent = 0;
    std::vector<double> VcSamples;  // empty until the first plot
    std::vector<double> VoSamples;
    std::int32_t SampleIndex = 0;
    std::int32_t PeriodIndex = 0;
    std::u16string EntryText;
    std::string MissingMessage;
    std::string InvalidMessage;
    std::int16_t EntryError = 0;
    std::string FormattedValue;

    // Decimal separator of the user's locale, for the texts of results.
    std::string DecimalSeparator = ".";

private:
    // Runs a command; a computation that cannot go on stops it with a message.
    template <typename Body>
    void RunCommand(Body body) {
        try {
            body();
        } catch (const Fault& fault) {
            messages_.show(fault.what());
        }
    }
    double ReadField(std::string_view control, const char* subject) const;
    bool RunEntryChain(std::span<const EntryStep> steps);
    std::string TimeText(double time) const;
    void WriteDesignedValue(std::string_view label, std::string_view field, double value);
    void ShowMessage(const std::string& message);

    MainForm& form_;
    MessageBoxes& messages_;
};

}  // namespace ostrevo
