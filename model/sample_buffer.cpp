#include "sample_buffer.h"

#include <cstdint>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace ostrevo {
namespace {

// Asks for huge pages behind a large buffer that nothing has touched yet: its
// first touch then takes one page fault per 2 MiB instead of one per 4 KiB,
// which for the largest plots is most of the time of the whole command.
void AdviseHugePages([[maybe_unused]] const void* data, [[maybe_unused]] std::size_t bytes) {
#ifdef __linux__
    constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (start + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t end = (start + bytes) & ~(kHugePage - 1);
    if (end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);  // advice only
#endif
}

}  // namespace

void ResetSampleBuffer(std::vector<double>& buffer, std::size_t length) {
    if (buffer.capacity() != length) {
        std::vector<double>().swap(buffer);
        buffer.reserve(length);
        AdviseHugePages(buffer.data(), length * sizeof(double));
    }
    buffer.assign(length, 0.0);
}

}  // namespace ostrevo
