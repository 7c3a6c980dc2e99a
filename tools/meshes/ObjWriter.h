#pragma once

#include <string>

#include "tools/meshes/Mesh.h"

namespace zarnhold_assets {

// The OBJ text of `mesh`: shared "v", "vt" and "vn" lists (each value written once, in
// order of first use) and one "f p/t/n p/t/n p/t/n" line per triangle, which is the
// subset the game's loader reads. Numbers have four decimals, so output is stable.
std::string encodeObj(const Mesh& mesh, const std::string& comment);

// Writes encodeObj(mesh) to `path`; false when the file cannot be written.
bool writeObj(const std::string& path, const Mesh& mesh, const std::string& comment);

}  // namespace zarnhold_assets
