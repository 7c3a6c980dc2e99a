#pragma once

#include "tools/meshes/Mesh.h"

namespace zarnhold_assets {

// The box the four pictures are drawn on: twelve triangles whose front face (z = +1,
// facing +z) fills the screen camera's whole view. That camera is a 45 degree vertical
// perspective with aspect 1, 3.3 units away, so at distance 2.3 it sees
// +-2.3 tan(22.5 deg) = +-0.9527; the face reaches a little beyond so no edge shows.
// Texture v runs from 0 at the bottom to 1 at the top, as the pictures are stored.
Mesh buildScreenModel();

}  // namespace zarnhold_assets
