// Available memory, the thin replacement of the platform's memory status.
#pragma once

#include <cstdint>

namespace elix {

struct MemoryStatus {
    std::uint64_t availablePhysical = 0;  // bytes: MemAvailable of /proc/meminfo
    std::uint64_t availableVirtual = 0;   // bytes: RLIMIT_AS minus what the process maps; max when unlimited
};

MemoryStatus QueryMemoryStatus();

}  // namespace elix
