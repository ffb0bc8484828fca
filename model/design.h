#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "circuit.h"

namespace ostrevo {

struct Resistors {
    double Rc = 0;
    double Rs = 0;
};

// Rc and Rs of the ideal circuit, each phase lasting R C ln 2. Stops when a
// resistor cannot be computed.
Resistors DesignResistors(const DesignTargets& targets);

// The warnings the design calls for, in the order they are shown: a start
// current above what the output can deliver, phases as short as the switching
// of the integrated circuit. Stops when a current cannot be computed.
std::vector<std::string_view> DesignWarnings(const DesignTargets& targets, const Resistors& resistors);

// A designed value as the design block shows it: "0.000E+00", always with a
// decimal point, so that it reads back as a number.
std::string DesignText(double value);

}  // namespace ostrevo
