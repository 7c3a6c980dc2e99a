#pragma once

#include <vector>

#include <glm/glm.hpp>

#include "render/LitRules.h"
#include "scene/IndexRange.h"

namespace zarnhold {

class RunContext;
class Object3D;
struct Light;

// Draws `mesh` textured, normal-mapped, lit by the lights near the player and shadowed by
// their cube maps, with its lit program. Every uniform is looked up by name and set at
// every draw, since the program is shared. With `ranges`, only those runs of the mesh's
// element buffer are drawn, in that order. `tint` is what the lit program does to the
// mesh's lit colour before the wounds' tint: scales it by 1 - `tint`'s alpha and adds
// `tint`'s colour (0 leaves the picture as it is). A struck creature flashes with it, a
// dead one is dimmed.
void drawLit(RunContext& game, Object3D& mesh, glm::mat4 view, glm::mat4 projection,
             std::vector<Light*> lights, const std::vector<IndexRange>* ranges = nullptr,
             glm::vec4 tint = glm::vec4(0.0f));

}  // namespace zarnhold
