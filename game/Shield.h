#pragma once

#include <glm/glm.hpp>

#include "scene/CornerBuffers.h"
#include "scene/Object3D.h"

// The player's shield: a small textured mesh held in front of the eye and drawn with the
// simple lit program, lit by one lamp. Its GL objects are made in `load` while the run is
// built and recorded in the run's ledger, so they are freed with the run.
class Shield : public Object3D {
public:
    // Reads the model and its picture, fills the three corner buffers and builds the
    // program, recording what it makes in `ledger`. GL context current.
    void load(GlLedger* ledger);
    // Draws with model matrix `modelMatrix`; `lampPosition` in the render frame. Leaves the
    // vertex array that was bound before bound again.
    void draw(const glm::mat4& view, const glm::mat4& projection, const glm::vec3& lampPosition) const;

    unsigned int shieldTexture = 0;
    unsigned int shieldProgram = 0;
    CornerArrays corners;
};
