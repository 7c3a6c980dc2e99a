#pragma once

#include <vector>

#include <glm/glm.hpp>

#include "scene/IndexRange.h"

class RunContext;
class Object3D;
struct Light;

// A light chosen for one lit draw: its array slot in the shader ("lights[slot]",
// "shadows[slot]") and the texture unit of its cube map (10 + its index in the light list).
struct LitLightSlot {
    int listIndex;
    int slot;
    int textureUnit;
};

// Lights strictly closer than 25 units to `playerPosition` (render frame), in list order;
// slots count selected lights only. NaN distances are not selected.
std::vector<LitLightSlot> selectLitLights(const glm::vec3& playerPosition,
                                          const std::vector<Light*>& lights);

// Draws `mesh` textured, normal-mapped, lit by the lights near the player and shadowed by
// their cube maps, with its own lit program. Every uniform is looked up by name. With
// `ranges`, only those runs of the mesh's element buffer are drawn, in that order.
void drawLit(RunContext& game, Object3D& mesh, glm::mat4 view, glm::mat4 projection,
             std::vector<Light*> lights, const std::vector<IndexRange>* ranges = nullptr);
