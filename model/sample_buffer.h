#pragma once
#include <cstddef>
#include <vector>

namespace ostrevo {

// Makes `buffer` hold `length` zeros. Memory of exactly that size is reused;
// otherwise the old memory is freed before the new is taken, so that a large
// plot never holds two buffers at once. Throws std::bad_alloc.
void ResetSampleBuffer(std::vector<double>& buffer, std::size_t length);

}  // namespace ostrevo
