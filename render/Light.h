#pragma once

#include <glm/glm.hpp>

namespace zarnhold {

// A point light with an omnidirectional shadow: colour, place (render frame), flicker
// level and attenuation, and the GL names of its shadow, which the render world's shadow
// renderer for this light fills in. A plain value owned by the thing that gives the light;
// the Game's light list only points at it.
struct Light {
    Light() = default;
    // Attenuation arrives constant, linear, exponent (the members lie linear, constant, exponent).
    Light(float red, float green, float blue, float luminocity, float x, float y, float z, int kind,
          float spareX, float spareY, float spareZ, float cAtt, float lAtt, float eAtt);

    // projection x look-at of cube face `face` (0..5: +X, -X, +Y, -Y, +Z, -Z) at `position`.
    glm::mat4 faceMatrix(int face) const;

    glm::vec3 color{0.0f};
    glm::vec3 spare{0.0f};
    glm::vec3 position{0.0f};
    glm::mat4 faceMatrices[6];
    int kind = 0;
    float luminocity = 0.0f;
    float lAtt = 0.0f;
    float cAtt = 0.0f;
    float eAtt = 0.0f;
    // The cube map the lit surfaces sample, the framebuffer that draws it and the program
    // of its layered pass; 0 until the light has a shadow renderer.
    unsigned int shadowCubeMap = 0;
    unsigned int shadowFramebuffer = 0;
    unsigned int shadowProgram = 0;
    glm::mat4 unusedMatrices[10];
};

}  // namespace zarnhold
