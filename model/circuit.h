#pragma once
#include <cstdint>

namespace ostrevo {

// The twelve values typed for the real circuit, in the units the circuit is
// computed in: V, kohm, nF and usec (RoH, RoL and Ci typed in ohm and pF).
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
    std::int32_t NP = 0;  // periods drawn
    std::int32_t N = 0;   // samples per period
};

// The two phases of a period, in usec: the capacitor discharges for ts and
// charges for tc.
struct Times {
    double ts = 0;
    double tc = 0;
};

// What the design block asks for: the ideal circuit (v+ = 2/3 Vcc,
// v- = 1/3 Vcc) with capacitor C and phases tc and ts.
struct DesignTargets {
    double Vcc = 0;
    double C = 0;
    double tc = 0;
    double ts = 0;
};

}  // namespace ostrevo
