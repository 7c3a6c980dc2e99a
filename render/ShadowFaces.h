#pragma once

#include <glm/glm.hpp>

// The cube faces (bit f for face f, in GL's order +X, -X, +Y, -Y, +Z, -Z) whose view volume
// a sphere may touch: the pyramid from the light along the face's axis, between the near
// plane at 0.1 and the far plane at 100. A face left out receives nothing of what lies in
// the sphere. Conservative: a sphere near a pyramid's edge may count without touching it.
// A sphere with a non-finite centre or radius touches every face.
unsigned int shadowFacesTouched(glm::vec3 lightPosition, glm::vec3 centre, float radius);

constexpr unsigned int allShadowFaces = 0x3Fu;
