#pragma once

#include <cstddef>
#include <string>
#include <vector>

class GlLedger;

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

// Loads a bitmap file (a game path such as "External\Models\shield.bmp") into a new
// mipmapped GL_TEXTURE_2D, left bound to the active unit, and returns its name; 0, with
// a printed line, when the file cannot be opened or decoded. The texture is recorded in
// `ledger` when there is one. Needs a current GL context.
unsigned int readBmpTexture(const char* path, GlLedger* ledger);
unsigned int readBmpTexture(const std::string& path, GlLedger* ledger);
