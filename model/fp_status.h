#pragma once
#include <cerrno>
#include <cfenv>
#include <cmath>
#include <string>

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

// Whether the math library may report a fault through errno. One that does
// not say (MinGW's) is read anyway: errno, cleared before, stays 0 if unused.
inline bool MathUsesErrno() {
#ifdef math_errhandling
    return (math_errhandling & MATH_ERRNO) != 0;
#else
    return true;
#endif
}

struct Checked {
    double value = 0;
    int faults = 0;  // the kFaultFlags raised, or recognised, while computing value
    bool failed() const { return faults != 0; }
};

// The faults of a computation that the flags may have missed: a domain error
// in errno, and a result that is not finite from finite operands (an overflow
// when it is infinite or errno holds a range error; an underflow, also a range
// error, leaves a finite result).
template <typename... Operands>
inline int UnflaggedFaults(double value, int errorNumber, Operands... operands) {
    int faults = errorNumber == EDOM ? kInvalid : 0;
    if (std::isfinite(value) || !(std::isfinite(operands) && ...)) return faults;
    if (std::isnan(value)) faults |= kInvalid;
    if (std::isinf(value) || errorNumber == ERANGE) faults |= kOverflow;
    return faults;
}

// Runs compute(operands...) between a clear and a test of the status flags,
// with barriers on the operands and on the result so that the arithmetic stays
// between the two, and adds what the result and errno show.
template <typename Compute, typename... Operands>
inline Checked Evaluate(Compute compute, Operands... operands) {
    const bool readErrno = MathUsesErrno();
    if (readErrno) errno = 0;
    ClearFlags();
    (Pin(operands), ...);
    double value = compute(operands...);
    Pin(value);
    const int flags = RaisedFlags();
    return {value, flags | UnflaggedFaults(value, readErrno ? errno : 0, operands...)};
}

// What went wrong, in the user's words, for the flags of a failed Checked.
inline std::string DescribeFaults(int faults) {
    if (faults & kDivisionByZero) return "divisione per zero";
    if (faults & kOverflow) return "il risultato supera il massimo numero rappresentabile";
    return "operazione non valida (0/0 o simile)";
}

}  // namespace ostrevo::fp
