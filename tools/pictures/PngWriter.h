#pragma once

#include <string>
#include <vector>

#include "tools/pictures/Image.h"

namespace zarnhold_assets {

// The bytes of an 8-bit RGBA PNG of `colour` with `alpha` as its opacity (same size),
// row 0 at the top. The picture data goes into stored (uncompressed) deflate blocks: the
// pictures written this way are small, and no compression library is needed. Channels are
// clamped to [0, 1].
std::vector<unsigned char> encodePng(const Image& colour, const Mask& alpha);

// Writes encodePng(colour, alpha) to `path`; false when the file cannot be written.
bool writePng(const std::string& path, const Image& colour, const Mask& alpha);

}  // namespace zarnhold_assets
