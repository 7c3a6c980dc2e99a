#include "tools/pictures/Checksums.h"

#include <array>

namespace zarnhold_assets {

namespace {

// One entry per byte value: the remainder that byte leaves, worked out once.
std::array<std::uint32_t, 256> makeCrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) {
            c = (c & 1u) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        }
        table[n] = c;
    }
    return table;
}

}  // namespace

std::uint32_t crc32(const std::vector<unsigned char>& bytes, std::uint32_t previous) {
    static const std::array<std::uint32_t, 256> table = makeCrcTable();
    std::uint32_t c = previous ^ 0xFFFFFFFFu;
    for (unsigned char byte : bytes) {
        c = table[(c ^ byte) & 0xFFu] ^ (c >> 8);
    }
    return c ^ 0xFFFFFFFFu;
}

std::uint32_t adler32(const std::vector<unsigned char>& bytes) {
    // The largest prime below 2^16.
    constexpr std::uint32_t kModulus = 65521;
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (unsigned char byte : bytes) {
        a = (a + byte) % kModulus;
        b = (b + a) % kModulus;
    }
    return (b << 16) | a;
}

}  // namespace zarnhold_assets
