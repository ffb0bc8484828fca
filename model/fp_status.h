#pragma once
#include <cfenv>
#include <string>

namespace ostrevo::fp {

// The floating-point conditions that make a result unusable. Underflow and
// inexact results are ordinary rounding and never count.
inline constexpr int kFaultFlags = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

// An empty barrier the optimiser cannot see through: the value must exist in
// memory at this point. Without it, g++ -O2 moves a division past a following
// fetestexcept, or merges two equal divisions, and the status test misses it.
template <typename T>
inline void Pin(T& value) {
    asm volatile("" : "+m"(value) : : "memory");
}

struct Checked {
    double value = 0;
    int faults = 0;  // the kFaultFlags raised while computing value
    bool failed() const { return faults != 0; }
};

// Runs compute(operands...) between a clear and a test of the status flags,
// with barriers on the operands and on the result so that the arithmetic stays
// between the two.
template <typename Compute, typename... Operands>
inline Checked Evaluate(Compute compute, Operands... operands) {
    std::feclearexcept(kFaultFlags);
    (Pin(operands), ...);
    double value = compute(operands...);
    Pin(value);
    return {value, std::fetestexcept(kFaultFlags)};
}

// What went wrong, in the user's words, for the flags of a failed Checked.
inline std::string DescribeFaults(int faults) {
    if (faults & FE_DIVBYZERO) return "divisione per zero";
    if (faults & FE_OVERFLOW) return "il risultato supera il massimo numero rappresentabile";
    return "operazione non valida (0/0 o simile)";
}

}  // namespace ostrevo::fp
