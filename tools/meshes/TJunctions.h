#pragma once

#include "tools/meshes/Mesh.h"

namespace zarnhold_assets {

// Where a surface ends along an edge that no other triangle shares, and corners of other
// triangles lie part-way along that edge (a T-junction), the two surfaces do not meet
// corner to corner and hairline cracks open along the edge when it is drawn. This splits
// every such triangle at those corners, fanning it from the corner across the edge, so
// the surfaces then share every corner. Nothing moves: the same area is covered, with
// the same texture coordinates.
Mesh closeTJunctions(const Mesh& mesh);

}  // namespace zarnhold_assets
