#pragma once

#include "tools/pictures/Image.h"

namespace zarnhold_assets {

// A tangent-space normal map from a height field laid out like the picture it belongs
// to (row 0 at the top, where texture v is highest): x follows u, y follows v, z leaves
// the surface; each stored as 0.5 + 0.5 n. `strength` scales the slopes (height units
// per pixel); `wrap` samples across the edges, for textures that tile.
Image normalMapFromHeight(const Mask& height, float strength, bool wrap);

}  // namespace zarnhold_assets
