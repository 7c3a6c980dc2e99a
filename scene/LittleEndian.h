#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zarnhold {

// Unsigned little-endian fields of a file's bytes (BMP, WAV); `offset` plus the width must
// lie within `bytes`.
inline std::uint16_t readU16(const std::vector<unsigned char>& bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

inline std::uint32_t readU32(const std::vector<unsigned char>& bytes, std::size_t offset) {
    return static_cast<std::uint32_t>(bytes[offset]) | static_cast<std::uint32_t>(bytes[offset + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[offset + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

}  // namespace zarnhold
