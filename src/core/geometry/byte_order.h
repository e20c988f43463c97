// Little-endian fields of the binary image formats, written and read one
// byte at a time so the layout never depends on the host or on struct
// packing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace elix::bytes {

inline void PutU8(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value));
}

inline void PutU16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFFu));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFFu));
}

inline void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFFu));
}

inline void PutZeros(std::vector<std::uint8_t>& out, std::size_t count) {
    out.insert(out.end(), count, 0);
}

// Reads at data[offset]; the caller has checked that the bytes exist.
inline std::uint16_t GetU16(const std::uint8_t* data, std::size_t offset) {
    return static_cast<std::uint16_t>(data[offset] | (data[offset + 1] << 8));
}

inline std::uint32_t GetU32(const std::uint8_t* data, std::size_t offset) {
    return static_cast<std::uint32_t>(data[offset]) | (static_cast<std::uint32_t>(data[offset + 1]) << 8) |
           (static_cast<std::uint32_t>(data[offset + 2]) << 16) | (static_cast<std::uint32_t>(data[offset + 3]) << 24);
}

// Overwrites four bytes at offset (the vector already holds them).
inline void SetU32(std::vector<std::uint8_t>& out, std::size_t offset, std::uint32_t value) {
    for (int k = 0; k < 4; ++k)
        out[offset + static_cast<std::size_t>(k)] = static_cast<std::uint8_t>((value >> (8 * k)) & 0xFFu);
}

}  // namespace elix::bytes
