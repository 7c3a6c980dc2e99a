#pragma once

#include <vector>

#include <glm/glm.hpp>

#include "render/LitRules.h"
#include "scene/IndexRange.h"

class RunContext;
class Object3D;
struct Light;

// Draws `mesh` textured, normal-mapped, lit by the lights near the player and shadowed by
// their cube maps, with its own lit program. Every uniform is looked up by name. With
// `ranges`, only those runs of the mesh's element buffer are drawn, in that order.
void drawLit(RunContext& game, Object3D& mesh, glm::mat4 view, glm::mat4 projection,
             std::vector<Light*> lights, const std::vector<IndexRange>* ranges = nullptr);
