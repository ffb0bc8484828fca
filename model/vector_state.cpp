#include "vector_state.h"

#if defined(_MSC_VER) && !defined(__clang__) && defined(_M_X64)
#include <immintrin.h>
#include <intrin.h>

namespace ostrevo {
namespace {

// AVX is usable when the processor has it and the system saves the YMM
// registers (XCR0 bits 1 and 2).
bool AvxUsable() {
    int registers[4];  // mutants: skip (compiled only by MSVC)
    __cpuid(registers, 1);  // mutants: skip (compiled only by MSVC)
    const bool osSavesState = (registers[2] & (1 << 27)) != 0;  // mutants: skip (compiled only by MSVC)
    const bool hasAvx = (registers[2] & (1 << 28)) != 0;  // mutants: skip (compiled only by MSVC)
    return osSavesState && hasAvx && (_xgetbv(0) & 0x6) == 0x6;  // mutants: skip (compiled only by MSVC)
}

}  // namespace

void ClearVectorUpperState() {
    static const bool avxUsable = AvxUsable();
    if (avxUsable) _mm256_zeroupper();  // mutants: skip (compiled only by MSVC)
}

}  // namespace ostrevo

#elif (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>

namespace ostrevo {
namespace {

// Compiled for AVX on its own, and never inlined into the callers, which
// stay plain SSE code.
__attribute__((target("avx"), noinline)) void ZeroUpper() { _mm256_zeroupper(); }

}  // namespace

void ClearVectorUpperState() {
    // Also checks that the system saves the YMM registers.
    if (__builtin_cpu_supports("avx")) ZeroUpper();
}

}  // namespace ostrevo

#else

namespace ostrevo {

void ClearVectorUpperState() {}

}  // namespace ostrevo

#endif
