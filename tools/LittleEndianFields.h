#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zarnhold_assets {

// Writes little-endian fields into a file header the writers have already sized (BMP, WAV).
inline void putU16(std::vector<unsigned char>& out, std::size_t at, std::uint16_t value) {
    out[at] = static_cast<unsigned char>(value & 0xFF);
    out[at + 1] = static_cast<unsigned char>(value >> 8);
}

inline void putU32(std::vector<unsigned char>& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out[at + i] = static_cast<unsigned char>((value >> (8 * i)) & 0xFF);
    }
}

}  // namespace zarnhold_assets
