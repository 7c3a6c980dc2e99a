#pragma once

#include <string>
#include <vector>

#include "tools/pictures/Image.h"

namespace zarnhold_assets {

// The bytes of a 24-bit uncompressed BMP of `image`: the 54-byte header, then rows
// bottom first, blue-green-red, each padded to 4 bytes. Channels are clamped to [0, 1].
std::vector<unsigned char> encodeBmp(const Image& image);

// Writes encodeBmp(image) to `path`; false when the file cannot be written.
bool writeBmp(const std::string& path, const Image& image);

}  // namespace zarnhold_assets
