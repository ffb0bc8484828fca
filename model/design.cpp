#include <numbers>
#include <string>

#include "fault.h"
#include "fp_status.h"
#include "module1.h"
#include "number_format.h"

namespace ostrevo {
namespace {

constexpr double kCurrentLimit = 4;   // mA the output can deliver
constexpr double kShortestTime = 0.1;  // usec, the switching times of the circuit

const char* const kCurrentWarning = "Controlla la corrente max fornita dall'uscita!";
const char* const kTimeWarning =
    "I tempi di carica o scarica sono comparabili con i tempi di commutazione dell'integrato!";

Fault CannotCompute(const char* what, const std::string& reason) {
    return Fault(std::string("Impossibile calcolare ") + what + ": " + reason + ".");
}

// R = t / (C ln 2): each phase of the ideal circuit lasts R C ln 2. The
// constant is ln 2 correctly rounded, whatever a math library's log returns.
double DesignResistor(const char* name, double time, double c) {
    const fp::Checked resistor =
        fp::Evaluate([](double t, double capacitance) { return t / (capacitance * std::numbers::ln2); }, time, c);
    if (!resistor.failed()) return resistor.value;
    throw CannotCompute(name, c == 0 ? "la capacità C è zero (divisione per zero)" : fp::DescribeFaults(resistor.faults));
}

// The current at the start of a phase, when the resistor carries two thirds of the supply.
double StartCurrent(const char* name, const char* resistorIsZero, double vcc, double resistor) {
    const fp::Checked current =
        fp::Evaluate([](double supply, double r) { return 2.0 / 3.0 * supply / r; }, vcc, resistor);
    if (!current.failed()) return current.value;
    throw CannotCompute(name, resistor == 0 ? resistorIsZero : fp::DescribeFaults(current.faults));
}

// The designed texts always carry a decimal point, whatever the locale, so
// that they read back as numbers.
std::string DesignText(double value) { return FormatScientific(value, 3, "."); }

}  // namespace

void Module1::WriteDesignedValue(std::string_view label, std::string_view field, double value) {
    FormattedValue = DesignText(value);
    if (!label.empty()) form_.setText(label, FormattedValue);
    form_.setText(field, FormattedValue);
    form_.setTextColour(field, kBrightBlue);
}

void Module1::ShowMessage(const std::string& message) {
    MissingMessage = message;
    messages_.show(MissingMessage);
}

void Module1::Command4_Click() {
    RunCommand([this] {
        if (!DesignValidationChain()) return;
        Parameters.Vcc = ReadField("Text1", "la tensione di alimentazione Vcc");
        Parameters.C = ReadField("Text14", "la capacità C");
        tc = ReadField("Text13", "il tempo di carica tc");
        ts = ReadField("Text15", "il tempo di scarica ts");

        Parameters.Rc = DesignResistor("Rc", tc, Parameters.C);
        Parameters.Rs = DesignResistor("Rs", ts, Parameters.C);
        WriteDesignedValue("Label30", "Text9", Parameters.Rs);
        WriteDesignedValue("Label31", "Text2", Parameters.Rc);
        WriteDesignedValue("", "Text8", Parameters.C);

        ChargeCurrent = StartCurrent("la corrente di carica", "Rc è zero (divisione per zero)", Parameters.Vcc,
                                     Parameters.Rc);
        DischargeCurrent = StartCurrent("la corrente di scarica", "Rs è zero (divisione per zero)", Parameters.Vcc,
                                        Parameters.Rs);
        if (ChargeCurrent > kCurrentLimit || DischargeCurrent > kCurrentLimit) ShowMessage(kCurrentWarning);
        if (ts <= kShortestTime || tc <= kShortestTime) ShowMessage(kTimeWarning);
    });
}

}  // namespace ostrevo
