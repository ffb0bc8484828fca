#include "design.h"

#include <numbers>

#include "catalogue.h"
#include "fault.h"
#include "fp_status.h"
#include "number_format.h"

namespace ostrevo {
namespace {

constexpr double kCurrentLimit = 4;   // mA the output can deliver
constexpr double kShortestTime = 0.1;  // usec, the switching times of the circuit

// R = t / (C ln 2): each phase of the ideal circuit lasts R C ln 2. The
// constant is ln 2 correctly rounded, whatever a math library's log returns.
double DesignResistor(const char* name, double time, double c) {
    const fp::Checked resistor =
        fp::Evaluate([](auto t, auto capacitance) { return t / (capacitance * std::numbers::ln2); }, time, c);
    if (!resistor.failed()) return resistor.value;
    throw CannotCompute(name, c == 0 ? Words(Text::CapacitanceZero) : fp::DescribeFaults(resistor.faults));
}

// The current at the start of a phase, when the resistor carries two thirds of the supply.
double StartCurrent(Text current, Text resistorIsZero, double vcc, double resistor) {
    const fp::Checked start =
        fp::Evaluate([](auto supply, auto r) { return 2.0 / 3.0 * supply / r; }, vcc, resistor);
    if (!start.failed()) return start.value;
    throw CannotCompute(Words(current), resistor == 0 ? Words(resistorIsZero) : fp::DescribeFaults(start.faults));
}

}  // namespace

Resistors DesignResistors(const DesignTargets& targets) {
    Resistors resistors;
    resistors.Rc = DesignResistor("Rc", targets.tc, targets.C);
    resistors.Rs = DesignResistor("Rs", targets.ts, targets.C);
    return resistors;
}

std::vector<std::string_view> DesignWarnings(const DesignTargets& targets, const Resistors& resistors) {
    const double chargeCurrent = StartCurrent(Text::ChargeCurrent, Text::RcZero, targets.Vcc, resistors.Rc);
    const double dischargeCurrent = StartCurrent(Text::DischargeCurrent, Text::RsZero, targets.Vcc, resistors.Rs);
    std::vector<std::string_view> warnings;
    if (chargeCurrent > kCurrentLimit || dischargeCurrent > kCurrentLimit) {
        warnings.push_back(Words(Text::CurrentWarning));
    }
    if (targets.ts <= kShortestTime || targets.tc <= kShortestTime) {
        warnings.push_back(Words(Text::SwitchingTimeWarning));
    }
    return warnings;
}

std::string DesignText(double value) { return FormatScientific(value, 3, "."); }

}  // namespace ostrevo
