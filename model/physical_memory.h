#pragma once
#include <cstdint>

namespace ostrevo {

// Bytes of physical memory of the machine; 0 when the system does not tell.
std::uint64_t PhysicalMemoryBytes();

}  // namespace ostrevo
