#include "sample_buffers.h"

#include <limits>
#include <new>
#include <string>

#ifdef __linux__
#include <sys/mman.h>
#endif

#include "fault.h"
#include "physical_memory.h"

namespace ostrevo {
namespace {

std::string SamplesText(std::int32_t n) {
    return "Impossibile disegnare il grafico con N = " + std::to_string(n) + " campioni per periodo: ";
}

// Elements of each sample buffer: indices 0 to N + 1. Below -1 the buffers are
// treated as for N = -1, with nothing to sample or draw.
std::size_t SampleBufferLength(std::int32_t n) {
    if (n == std::numeric_limits<std::int32_t>::max()) {
        throw Fault(SamplesText(n) + "N + 1 supera il massimo numero intero a 32 bit (2147483647).");
    }
    return n < -1 ? 1 : static_cast<std::size_t>(n) + 2;
}

// Refuses, before anything is allocated, buffers that would take more than
// half of the machine's memory.
void RequireMemoryFor(std::size_t length, std::int32_t n) {
    const std::uint64_t bytes = 2 * static_cast<std::uint64_t>(length) * sizeof(double);
    const std::uint64_t physical = PhysicalMemoryBytes();
    if (physical == 0 || bytes <= physical / 2) return;
    constexpr std::uint64_t kMegabyte = 1024 * 1024;
    throw Fault(SamplesText(n) + "servirebbero " + std::to_string((bytes + kMegabyte - 1) / kMegabyte) +
                " MB di memoria, più della metà della memoria del computer. Scegli un N più piccolo.");
}

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

void Reset(std::vector<double>& buffer, std::size_t length) {
    if (buffer.capacity() != length) {
        std::vector<double>().swap(buffer);
        buffer.reserve(length);
        AdviseHugePages(buffer.data(), length * sizeof(double));
    }
    buffer.assign(length, 0.0);
}

}  // namespace

void SampleBuffers::prepare(std::int32_t N) {
    const std::size_t length = SampleBufferLength(N);
    RequireMemoryFor(length, N);
    try {
        Reset(vc_, length);
        Reset(vo_, length);
    } catch (const std::bad_alloc&) {
        throw Fault(SamplesText(N) + "memoria insufficiente. Scegli un N più piccolo.");
    }
}

}  // namespace ostrevo
