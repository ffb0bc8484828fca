#pragma once
#include <cfenv>
#include <cmath>
#include <string_view>

#include "catalogue.h"

// The status tests need every operation to stay between the clearing and the
// testing of the flags. GCC and Clang keep it there through the barrier in Pin;
// other compilers are told that this code reads the floating-point environment.
#if defined(__GNUC__) || defined(__clang__)
#define OSTREVO_FENV_BARRIER 1
#elif defined(_MSC_VER)
#pragma fenv_access(on)
#else
#pragma STDC FENV_ACCESS ON
#endif

// The hardware status flags are read where <cfenv> names them, unless the
// build asks for a runtime without them (OSTREVO_WITHOUT_FP_FLAGS, as on
// WebAssembly, whose fetestexcept always answers nothing).
#if !defined(OSTREVO_WITHOUT_FP_FLAGS) && defined(FE_INVALID) && defined(FE_DIVBYZERO) && defined(FE_OVERFLOW)
#define OSTREVO_READS_FP_FLAGS 1
#endif

namespace ostrevo::fp {

// The floating-point conditions that make a result unusable, as the program's
// own bits. Underflow and inexact results are ordinary rounding and never count.
inline constexpr int kInvalid = 1;
inline constexpr int kDivisionByZero = 2;
inline constexpr int kOverflow = 4;
inline constexpr int kFaultFlags = kInvalid | kDivisionByZero | kOverflow;

// Clears the hardware flags of the three faults (nothing without flags).
inline void ClearFlags() {
#ifdef OSTREVO_READS_FP_FLAGS
    std::feclearexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
#endif
}

// The faults the hardware flags hold since ClearFlags, as kFaultFlags bits
// (always none without flags).
inline int RaisedFlags() {
#ifdef OSTREVO_READS_FP_FLAGS
    const int raised = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
    return ((raised & FE_INVALID) != 0 ? kInvalid : 0) | ((raised & FE_DIVBYZERO) != 0 ? kDivisionByZero : 0) |
           ((raised & FE_OVERFLOW) != 0 ? kOverflow : 0);
#else
    return 0;
#endif
}

// An empty barrier the optimiser cannot see through: the value must exist in
// memory at this point. Without it, g++ -O2 moves a division past a following
// fetestexcept, or merges two equal divisions, and the status test misses it.
template <typename T>
inline void Pin([[maybe_unused]] T& value) {
#ifdef OSTREVO_FENV_BARRIER
    asm volatile("" : "+m"(value) : : "memory");
#endif
}

// A double that records the faults IEEE 754 raises while it is computed, the
// same on every runtime: an operation that makes a NaN from operands that are
// not NaN is invalid, x / 0 with a finite x other than zero and log(0) divide
// by zero, and an infinity from finite operands is an overflow. The value is
// the plain double's, operation for operation, to the last bit.
class Tracked {
public:
    Tracked(double value) : value_(value) {}  // implicit: literals and doubles mix in freely

    double value() const { return value_; }
    int faults() const { return faults_; }

    friend Tracked operator-(Tracked a) { return {-a.value_, a.faults_}; }
    friend Tracked operator+(Tracked a, Tracked b) { return Combined(a, b, a.value_ + b.value_); }
    friend Tracked operator-(Tracked a, Tracked b) { return Combined(a, b, a.value_ - b.value_); }
    friend Tracked operator*(Tracked a, Tracked b) { return Combined(a, b, a.value_ * b.value_); }
    friend Tracked operator/(Tracked a, Tracked b) {
        if (b.value_ == 0 && a.value_ != 0 && std::isfinite(a.value_)) {
            return {a.value_ / b.value_, a.faults_ | b.faults_ | kDivisionByZero};
        }
        return Combined(a, b, a.value_ / b.value_);
    }
    friend Tracked Exp(Tracked x);
    friend Tracked Log(Tracked x);

private:
    Tracked(double value, int faults) : value_(value), faults_(faults) {}

    // The fault of a result, from its operands.
    static int Raised(double result, double a, double b = 0) {
        if (std::isnan(result)) return std::isnan(a) || std::isnan(b) ? 0 : kInvalid;
        return std::isinf(result) && std::isfinite(a) && std::isfinite(b) ? kOverflow : 0;
    }
    static Tracked Combined(Tracked a, Tracked b, double result) {
        return {result, a.faults_ | b.faults_ | Raised(result, a.value_, b.value_)};
    }

    double value_;
    int faults_ = 0;
};

inline Tracked Exp(Tracked x) {
    const double result = std::exp(x.value_);
    return {result, x.faults_ | Tracked::Raised(result, x.value_)};
}

inline Tracked Log(Tracked x) {
    const double result = std::log(x.value_);
    return {result, x.faults_ | (x.value_ == 0 ? kDivisionByZero : Tracked::Raised(result, x.value_))};
}

// The plain double's exp and log, so that one formula serves both types.
inline double Exp(double x) { return std::exp(x); }
inline double Log(double x) { return std::log(x); }

struct Checked {
    double value = 0;
    int faults = 0;  // the kFaultFlags raised, or recognised, while computing value
    bool failed() const { return faults != 0; }
};

// Runs compute(operands...) on Tracked operands between a clear and a test of
// the status flags, with barriers on the operands and on the result so that
// the arithmetic stays between the two: the faults are those the computation
// recorded, and those the flags show where a runtime has them (a math library
// may raise one that the formula's own view misses, never the reverse).
template <typename Compute, typename... Operands>
inline Checked Evaluate(Compute compute, Operands... operands) {
    ClearFlags();
    (Pin(operands), ...);
    const Tracked result = compute(Tracked(operands)...);
    double value = result.value();
    Pin(value);
    return {value, result.faults() | RaisedFlags()};
}

// What went wrong, in the user's words, for the flags of a failed Checked.
inline std::string_view DescribeFaults(int faults) {
    if (faults & kDivisionByZero) return Words(Text::DivisionByZero);
    if (faults & kOverflow) return Words(Text::Overflow);
    return Words(Text::InvalidOperation);
}

}  // namespace ostrevo::fp
