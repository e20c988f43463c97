#include "platform/memory_status.h"

#include <fstream>
#include <limits>
#include <string>
#include <sys/resource.h>

namespace elix {
namespace {

// A "Key:   value kB" line of a /proc file, in bytes; 0 when absent.
std::uint64_t ProcValueBytes(const char* path, const std::string& key) {
    std::ifstream in(path);
    std::string name;
    std::uint64_t value = 0;
    std::string unit;
    while (in >> name) {
        if (name == key) {
            in >> value >> unit;
            return unit == "kB" ? value * 1024 : value;
        }
        std::getline(in, unit);
    }
    return 0;
}

}  // namespace

MemoryStatus QueryMemoryStatus() {
    MemoryStatus status;
    status.availablePhysical = ProcValueBytes("/proc/meminfo", "MemAvailable:");
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
        status.availableVirtual = std::numeric_limits<std::uint64_t>::max();
    } else {
        const std::uint64_t used = ProcValueBytes("/proc/self/status", "VmSize:");
        status.availableVirtual = limit.rlim_cur > used ? limit.rlim_cur - used : 0;
    }
    return status;
}

}  // namespace elix
