#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace zarnhold {

// A 24-bit picture as OpenGL takes it with the default unpack alignment: rows bottom
// first, 3 bytes per pixel in blue, green, red order, each row padded to 4 bytes.
// pixels.size() == rowStride() * height always.
struct BmpImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;

    std::size_t rowStride() const { return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3}; }
};

// Decodes an uncompressed 24-bit Windows bitmap held in memory, its pixel data where the
// header's offset (byte 10) says; an offset inside the 54-byte header is refused. Rows the
// file lacks (short file, small size field) are left zero; a top-down file
// (negative height) is turned bottom row first. A file that is not such a bitmap, or is
// wider or taller than 16384, prints "Not a correct BMP file" and gives false.
bool parseBmp(const std::vector<unsigned char>& fileBytes, BmpImage& out);

// Reads and decodes a bitmap file (a game path such as "External\Models\shield.bmp"); a
// file that cannot be opened prints "Image could not be opened: " and its path, one that
// cannot be decoded as parseBmp says, and both give false.
bool readBmpFile(const char* path, BmpImage& out);

}  // namespace zarnhold
