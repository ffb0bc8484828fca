#pragma once
#include <string>
#include <string_view>

#include "circuit.h"

namespace ostrevo {

// The discharge time ts: (Ci + C)(Rs + RoL) ln((v+ - Vd) / (v- - Vd)).
// Stops with the reason when the logarithm or the product cannot be taken.
double DischargeTime(const CircuitParameters& p);

// The charge time tc: (Ci + C)(Rc + RoH) ln((Vcc - v- - Vd) / (Vcc - v+ - Vd)).
double ChargeTime(const CircuitParameters& p);

// A time as the results show it: rounded to three decimals, with the locale's separator.
std::string TimeText(double time, std::string_view decimalSeparator);

}  // namespace ostrevo
