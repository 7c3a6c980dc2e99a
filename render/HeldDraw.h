#pragma once

#include <vector>

#include <glm/glm.hpp>

#include "scene/CornerBuffers.h"

namespace zarnhold {

struct Light;

// The draws of the things held in the view (the shield, the sword): each with its own
// corner arrays, one texture and the simple textured program. The holders in game/ keep
// where and how they are held; the GL calls stay here.
struct HeldLook {
    unsigned int program = 0;
    unsigned int texture = 0;
    const CornerArrays* corners = nullptr;
};

// Lit by one lamp at `lampPosition` (render frame), as the shield is. Leaves the vertex
// array that was bound before bound again.
void drawHeldByLamp(const HeldLook& look, const glm::mat4& model, const glm::mat4& view,
                    const glm::mat4& projection, const glm::vec3& lampPosition);

// Lit by up to `capacity` of `lights` over `ambient`, seen from `eye`, `fade` of the way to
// transparent (0: solid), as the sword and its trail's ghosts are. Returns where the
// program's texture sampler is. Leaves the vertex array that was bound before bound again.
int drawHeldLit(const HeldLook& look, const glm::mat4& model, const glm::mat4& view,
                const glm::mat4& projection, const std::vector<Light*>& lights, int capacity, float ambient,
                const glm::vec3& eye, float fade);

// Between these, held draws blend over the scene and write no depth, so that the ghosts of a
// sweep do not hide one another.
void beginHeldGhosts();
void endHeldGhosts();

}  // namespace zarnhold
