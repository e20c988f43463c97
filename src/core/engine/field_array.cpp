#include "engine/field_array.h"

#include <atomic>
#include <new>

namespace elix {
namespace {

constexpr std::size_t kPage = 4096;
constexpr std::size_t kLine = 64;
constexpr std::size_t kPositions = 8;
constexpr std::size_t kStep = 5 * kLine;  // an odd number of lines: the positions use distinct cache sets

static_assert(kLine + (kPositions - 1) * kStep + kLine <= kPage);

std::atomic<std::size_t> g_nextPosition{0};

}  // namespace

void* AllocateStaggered(std::size_t bytes) {
    const std::size_t position = g_nextPosition.fetch_add(1, std::memory_order_relaxed) % kPositions;
    // The block starts at least one line in, so that the pointer to the
    // page-aligned allocation fits just in front of it.
    const std::size_t offset = kLine + position * kStep;
    if (bytes > static_cast<std::size_t>(-1) - kPage) throw std::bad_alloc();
    char* base = static_cast<char*>(::operator new (bytes + kPage, std::align_val_t{kPage}));
    char* block = base + offset;
    reinterpret_cast<void**>(block)[-1] = base;
    return block;
}

void FreeStaggered(void* block) noexcept {
    if (block == nullptr) return;
    ::operator delete (static_cast<void**>(block)[-1], std::align_val_t{kPage});
}

}  // namespace elix
