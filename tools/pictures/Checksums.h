#pragma once

#include <cstdint>
#include <vector>

namespace zarnhold_assets {

// The two checksums a PNG file carries: CRC-32 over each chunk's type and data, and
// Adler-32 over the uncompressed bytes of the zlib stream inside the picture data.

// CRC-32 as zlib and PNG compute it (reflected polynomial 0xEDB88320, inverted before and
// after); `previous` continues a running checksum, so chunks can be summed in pieces.
std::uint32_t crc32(const std::vector<unsigned char>& bytes, std::uint32_t previous = 0);

// Adler-32 as zlib computes it; 1 for no bytes.
std::uint32_t adler32(const std::vector<unsigned char>& bytes);

}  // namespace zarnhold_assets
