#pragma once

namespace ostrevo {

// Marks the upper halves of the processor's 256-bit vector registers as
// unused (vzeroupper) where the processor and the system support AVX; does
// nothing elsewhere.
//
// Why: a library routine that runs 256-bit instructions and returns without
// cleaning up leaves that state dirty for the whole thread, and some x86
// processors then charge for every switch between the program's SSE code and
// the AVX code of libm: one exp costs thirty times as much. Loops that run
// millions of times call this once before they start, since any call into
// such a library (a Qt hash of a string does it) may have dirtied the state
// again. It changes no value the program computes.
void ClearVectorUpperState();

}  // namespace ostrevo
