// Storage of the displacement fields. A step reads and writes the six
// level arrays at the same node offset, and arrays from the system
// allocator all start at the same place within a 4 KiB page: their cache
// lines then crowd into one set of the first-level cache, and a store to
// one array looks, by its low address bits, as if it might feed a later
// load from another. FieldAllocator staggers the arrays instead, each new
// array starting five cache lines further into its first page (eight
// positions in turn), which costs less than a page per array.
#pragma once

#include <cstddef>
#include <new>
#include <type_traits>
#include <vector>

namespace elix {

// Memory for `bytes` bytes at the next staggered position, 64-byte
// aligned; throws std::bad_alloc when there is none.
void* AllocateStaggered(std::size_t bytes);
// Frees a block from AllocateStaggered (nullptr is ignored).
void FreeStaggered(void* block) noexcept;

template <class T>
struct FieldAllocator {
    using value_type = T;
    using is_always_equal = std::true_type;

    FieldAllocator() = default;
    template <class Other>
    FieldAllocator(const FieldAllocator<Other>&) noexcept {}

    T* allocate(std::size_t n) {
        if (n > static_cast<std::size_t>(-1) / 2 / sizeof(T)) throw std::bad_array_new_length();
        return static_cast<T*>(AllocateStaggered(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t) noexcept { FreeStaggered(p); }

    friend bool operator==(const FieldAllocator&, const FieldAllocator&) { return true; }
};

using FieldArray = std::vector<float, FieldAllocator<float>>;

}  // namespace elix
