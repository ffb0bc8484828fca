#include "design.h"

#include <numbers>

#include "fault.h"
#include "fp_status.h"
#include "number_format.h"

namespace ostrevo {
namespace {

constexpr double kCurrentLimit = 4;   // mA the output can deliver
constexpr double kShortestTime = 0.1;  // usec, the switching times of the circuit

constexpr std::string_view kCurrentWarning = "Controlla la corrente max fornita dall'uscita!";
constexpr std::string_view kTimeWarning =
    "I tempi di carica o scarica sono comparabili con i tempi di commutazione dell'integrato!";

Fault CannotCompute(const char* what, const std::string& reason) {
    return Fault(std::string("Impossibile calcolare ") + what + ": " + reason + ".");
}

// R = t / (C ln 2): each phase of the ideal circuit lasts R C ln 2. The
// constant is ln 2 correctly rounded, whatever a math library's log returns.
double DesignResistor(const char* name, double time, double c) {
    const fp::Checked resistor =
        fp::Evaluate([](auto t, auto capacitance) { return t / (capacitance * std::numbers::ln2); }, time, c);
    if (!resistor.failed()) return resistor.value;
    throw CannotCompute(name, c == 0 ? "la capacità C è zero (divisione per zero)" : fp::DescribeFaults(resistor.faults));
}

// The current at the start of a phase, when the resistor carries two thirds of the supply.
double StartCurrent(const char* name, const char* resistorIsZero, double vcc, double resistor) {
    const fp::Checked current =
        fp::Evaluate([](auto supply, auto r) { return 2.0 / 3.0 * supply / r; }, vcc, resistor);
    if (!current.failed()) return current.value;
    throw CannotCompute(name, resistor == 0 ? resistorIsZero : fp::DescribeFaults(current.faults));
}

}  // namespace

Resistors DesignResistors(const DesignTargets& targets) {
    Resistors resistors;
    resistors.Rc = DesignResistor("Rc", targets.tc, targets.C);
    resistors.Rs = DesignResistor("Rs", targets.ts, targets.C);
    return resistors;
}

std::vector<std::string_view> DesignWarnings(const DesignTargets& targets, const Resistors& resistors) {
    const double chargeCurrent =
        StartCurrent("la corrente di carica", "Rc è zero (divisione per zero)", targets.Vcc, resistors.Rc);
    const double dischargeCurrent =
        StartCurrent("la corrente di scarica", "Rs è zero (divisione per zero)", targets.Vcc, resistors.Rs);
    std::vector<std::string_view> warnings;
    if (chargeCurrent > kCurrentLimit || dischargeCurrent > kCurrentLimit) warnings.push_back(kCurrentWarning);
    if (targets.ts <= kShortestTime || targets.tc <= kShortestTime) warnings.push_back(kTimeWarning);
    return warnings;
}

std::string DesignText(double value) { return FormatScientific(value, 3, "."); }

}  // namespace ostrevo
