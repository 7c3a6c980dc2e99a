#pragma once

#include <glm/glm.hpp>

#include "render/ShadowCubeRenderer.h"

class DepthCubePool;
class GlLedger;
class Node;

// A point light with an omnidirectional shadow: colour, place (render frame), flicker
// level and attenuation, and the cube map its renderer (`shadows`) draws. A plain value
// owned by the thing that gives the light; the Game's light list only points at it. The
// shadow operations below pass the light's position to the renderer.
struct Light {
    Light() = default;
    // Attenuation arrives constant, linear, exponent (the members lie linear, constant, exponent).
    Light(float red, float green, float blue, float luminocity, float x, float y, float z, int kind,
          float spareX, float spareY, float spareZ, float cAtt, float lAtt, float eAtt);

    // The renderer's set-up (cubes from `cubes`, GL objects into `ledger`), then
    // shadowCubeMap. GL context current.
    void setUpShadowMap(DepthCubePool& cubes, GlLedger* ledger);
    // The renderer's operations at this light's position (see ShadowCubeRenderer).
    void renderShadowMap(Node& root);
    void cacheFixedCasters(Node& root);
    void renderShadowMapReference(Node& root);
    void drawEveryCaster(Node& root, unsigned int framebuffer);
    bool mayLight(glm::vec3 low, glm::vec3 high) const;

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
    // The renderer's cube map, which the lit surfaces sample.
    unsigned int shadowCubeMap = 0;
    glm::mat4 unusedMatrices[10];
    ShadowCubeRenderer shadows;
};
