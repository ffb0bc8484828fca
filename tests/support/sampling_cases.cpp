#include "sampling_cases.h"

#include <tuple>

namespace ostrevo::testing {
namespace {

//                          Vcc  Rc  Rs   RoH    RoL    Ci     C  v+   v-    Vd   NP  N
constexpr CircuitParameters kIdeal{12, 22, 4.7, 0, 0, 0, 1, 8, 4, 0, 5, 1000};
constexpr CircuitParameters kReal{12, 22, 4.7, 0.195, 0.075, 0.005, 1, 6.7, 5.33, 0.6, 5, 1000};

CircuitParameters With(CircuitParameters p, std::int32_t N, double Rc, double Rs) {
    std::tie(p.N, p.Rc, p.Rs) = std::tuple(N, Rc, Rs);
    return p;
}

}  // namespace

std::span<const SamplingCase> SamplingCases() {
    const char* overflow = "il risultato supera il massimo numero rappresentabile";
    const char* noDischarge = "la costante di tempo di scarica (Ci + C)·(Rs + RoL) è zero";
    static const SamplingCase cases[] = {
        {"ideal", kIdeal}, {"real", kReal}, {"many samples", With(kReal, 1'000'000, 22, 4.7)},
        {"N = 4099", With(kIdeal, 4099, 22, 4.7)}, {"v+ below v-", {12, 22, 4.7, 0, 0, 0, 1, 4, 8, 0, 5, 1000}},
        {"whole phase quotient", With(kIdeal, 4, 22, 4.7), 10, 10}, {"N = 0", With(kIdeal, 0, 22, 4.7), 10, 10},
        {"N = 1, phase below 1", With(kReal, 1, 22, 4.7), 0.5, 1}, {"phase 0", With(kReal, 3, 22, 4.7), 0, 1}, {"N = -1", With(kIdeal, -1, 22, 4.7), 10, 10},
        {"all discharge", With(kReal, 5000, 22, 4.7), 1e9, 1}, {"all charge", With(kReal, 5000, 22, 4.7), -1, 1},
        {"zero step", With(kIdeal, 10, 22, 4.7), 10, 0, 0, "il passo di campionamento (tc + ts)/N è zero"},
        {"no discharge resistance", With(kIdeal, 10, 22, 0), 10, 10, 0, noDischarge},
        {"no charge resistance mid block", With(kIdeal, 10'000, 0, 4.7), 3000, 1, 3001,
         "la costante di tempo di carica (Rc + RoH)·(Ci + C) è zero"},
        {"charge that overflows", With(kIdeal, 100'000, -1, 4.7), 100, 1, 808, overflow},
        // exp overflows while the sample it scales would not: Windows' runtime raises no flag for it.
        {"exp overflows first", {12, -1, 4.7, 0, 0, 0, 1, 8, 11.5, 0, 5, 1000}, 100, 1, 810, overflow},
        {"discharge that overflows", With(kReal, 100'000, 22, -1), 1e9, 1, 659, overflow},
        {"charge time constant too large", With(kReal, 1000, 1.79e308, 4.7), 100, 1, 101, overflow},
        {"exact path, all discharge", With(kReal, 1000, 1.79e308, 4.7), 500, 0.5},  // a time constant overflows
        {"exact path, all charge", With(kReal, 1000, 22, 1.79e308), -1, 0.5},
        {"fault alone in its block", With(kIdeal, 10, 22, 0), 0, 1, 0, noDischarge},
        {"Rc = RoH, Ci = C", {12, 0.195, 4.7, 0.195, 0.075, 1, 1, 6.7, 5.33, 0.6, 5, 10}, 0, 1e308, 2, overflow},
        {"Ci = C, Rs = RoL", {12, 22, 0.001, 0, 0.001, 1, 1, 8, 4, 0, 5, 10}, 1e308, 1e308, 1, overflow},
        {"vo overflows", {12, 22, 0, 0, 1e308, 0, 1, 8, 4, 0, 5, 5000}, 100, 1, 0, overflow, "vo(t)"},
        // a fault at a block's first sample alone (where no status flags show it)
        {"vo overflows at 0 only", {12, 22, 0, 0, 1e300, 0, 1, 1e10, 4, 0, 5, 10}, 1e308, 1e301, 0, overflow, "vo(t)"},
        {"fault at the last sample", With(kIdeal, 808, -1, 4.7), 100, 1, 808, overflow},
        // Computed, but without a y on the plot: the drawing stops (not for
        // a vc of one segment).
        {"v+ zero", {12, 22, 4.7, 0, 0, 0, 1, 0, 4, 0, 5, 5000}, 10, 1},
        {"v+ zero, one segment", {12, 22, 4.7, 0, 0, 0, 1, 0, 4, 0, 5, 1}, 10, 1},
        {"vo off the scale", {1e-300, 22, 4.7, 0, 0.075, 0, 1, 8, 4, 0, 5, 5000}, 10, 1},
        {"vo fault, then vc fault", {12, -1, 0, 0, 1e308, 0, 1, 8, 11.5, 0, 5, 5000}, 100, 1, 810, overflow},
    };
    return cases;
}

}  // namespace ostrevo::testing
