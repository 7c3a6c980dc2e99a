#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "scene/Triangle.h"

namespace zarnhold {

class Object3D;

// Reads the OBJ subset the game's models use from an open text stream: "v", "vt", "vn"
// and triangular "f" lines with position/uv/normal indices for every corner; every other
// word is skipped. Faces are resolved after the whole stream, so vertex data may follow
// the faces that use them. On success appends the triangles, in file order, and returns
// true. A face without three full index triples, or with an index outside its list,
// prints the parser line and returns false with `out` unchanged. Does not close `file`.
bool parseObj(std::FILE* file, std::vector<Triangle>& out);

// Sets object.castsShadow, then appends the model in `path` (a game path such as
// "External\Models\sword.obj") to the object's triangles. False, with a printed line and
// the triangles unchanged, when the file cannot be opened or parsed.
bool readObjModel(Object3D& object, const std::string& path);

}  // namespace zarnhold
