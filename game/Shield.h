#pragma once

#include <glm/glm.hpp>

#include "scene/CornerBuffers.h"
#include "scene/Object3D.h"

namespace zarnhold {

// The player's shield: a small textured mesh held in front of the eye and drawn with the
// simple lit program, lit by one lamp. Its GL objects are made in `load` while the run is
// built and recorded in the run's ledger, so they are freed with the run; the program is
// the game's, shared with the sword.
class Shield : public Object3D {
public:
    // Reads the model and its picture and fills the three corner buffers, recording what it
    // makes in `ledger`; draws with `program`, the simple lit one. GL context current.
    void load(GlLedger* ledger, unsigned int program);
    // Draws with model matrix `modelMatrix`; `lampPosition` in the render frame. Leaves the
    // vertex array that was bound before bound again.
    void draw(const glm::mat4& view, const glm::mat4& projection, const glm::vec3& lampPosition) const;

    unsigned int shieldTexture = 0;
    unsigned int shieldProgram = 0;
    CornerArrays corners;
};

}  // namespace zarnhold
