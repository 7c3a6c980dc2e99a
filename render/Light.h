#pragma once

#include <glm/glm.hpp>

class Node;

// A point light with an omnidirectional shadow: a 1024x1024 depth cube map around
// `position` (render frame), drawn in one layered pass per frame. A plain value owned by
// the thing that gives the light; the Game's light list only points at it.
struct Light {
    Light() = default;
    // Attenuation arrives constant, linear, exponent (the members lie linear, constant, exponent).
    Light(float red, float green, float blue, float luminocity, float x, float y, float z, int kind,
          float spareX, float spareY, float spareZ, float cAtt, float lAtt, float eAtt);

    // Builds the shadow program, the framebuffer and the depth cube map; prints
    // "Framebuffer not OK!" when the framebuffer is incomplete. GL context current.
    void setUpShadowMap();
    // Draws every shadow caster under `root` into the six faces of the cube map.
    // Leaves the viewport at 1024x1024 and framebuffer 0 bound.
    void renderShadowMap(Node& root);

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
    unsigned int shadowCubeMap = 0;
    unsigned int shadowFramebuffer = 0;
    unsigned int shadowProgram = 0;
    glm::mat4 unusedMatrices[10];
};

// The cube faces' shared projection: 90 degrees, aspect 1, near 0.1, far 100.
glm::mat4 shadowFaceProjection();
