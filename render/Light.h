#pragma once

#include <vector>

#include <glm/glm.hpp>

#include "render/CubeDepthTiles.h"
#include "render/ShadowFaces.h"

class Node;
class Object3D;

// A moving shadow caster and the cube faces it changes (bit f for face f).
struct MovingCaster {
    Object3D* mesh;
    unsigned int faces;
};

// A point light with an omnidirectional shadow: a 1024x1024 depth cube map around
// `position` (render frame), drawn in one layered pass per frame. A plain value owned by
// the thing that gives the light; the Game's light list only points at it.
struct Light {
    Light() = default;
    // Attenuation arrives constant, linear, exponent (the members lie linear, constant, exponent).
    Light(float red, float green, float blue, float luminocity, float x, float y, float z, int kind,
          float spareX, float spareY, float spareZ, float cAtt, float lAtt, float eAtt);

    // Builds the shadow program, the framebuffers and the depth cube maps; prints
    // "Framebuffer not OK!" when a framebuffer is incomplete, and the light then has no
    // cache: renderShadowMap draws the plain pass for the rest of the run. GL context current.
    void setUpShadowMap();
    // Gives the cube map this frame's depths of every shadow caster under `root`: the
    // casters fixed in place come from a cache drawn once per run; the texels that a moving
    // caster may cover, or covered when the cube was last brought up to date, are copied
    // from the cache and the moving casters are drawn over them; the rest is left as it is.
    // A moving caster hidden from the light behind fixed ones is not drawn at all. Casters
    // out of the light's reach are skipped. The result equals renderShadowMapReference's,
    // even after frames in which the light was not brought up to date at all. Leaves the
    // viewport at 1024x1024 and framebuffer 0 bound.
    void renderShadowMap(Node& root);
    // Draws the fixed casters' cache now, if it is not drawn yet, and reads back what
    // mayLight needs. Leaves the viewport at 1024x1024 and framebuffer 0 bound.
    void cacheFixedCasters(Node& root);
    // The plain pass: clears the cube map and draws every caster into it. The next
    // renderShadowMap starts again from the fixed casters' cache.
    void renderShadowMapReference(Node& root);
    // The plain pass into another depth-cube framebuffer (a test's or a benchmark's),
    // leaving this light's cube map and what it knows about it alone.
    void drawEveryCaster(Node& root, unsigned int framebuffer);

    // False only when this light cannot reach any point of the box from `low` to `high`
    // (render frame): its fixed casters, already drawn into the cache, lie nearer than the
    // box wherever the box could be seen from the light, so the lit surface finds every
    // point of it in shadow and the light adds exactly nothing there.
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
    unsigned int shadowCubeMap = 0;
    unsigned int shadowFramebuffer = 0;
    unsigned int shadowProgram = 0;
    glm::mat4 unusedMatrices[10];

    // The fixed casters' depths, kept for the run, and the framebuffers that copy them; all 0
    // for a light without its cache.
    unsigned int fixedDepthCube = 0;
    unsigned int fixedFramebuffer = 0;
    unsigned int copyReadFramebuffer = 0;
    unsigned int copyDrawFramebuffer = 0;
    // Draws the moving casters one face at a time; 0 when it would not link.
    unsigned int faceProgram = 0;

private:
    void setPassUniforms();
    void drawFixedCache(Node& root);
    // Copies the fixed casters' depths into rectangle rects[f] of each face f.
    void copyFixedCache(const FaceRect rects[6]);
    void markWholeCubeStale();
    void drawMovingCasters(const std::vector<MovingCaster>& casters, const glm::mat4 faceMatrices[6]);
    // The fixed casters' farthest depths by tile, read back once the cache is drawn.
    void readFixedTiles();
    CubeDepthTiles fixedTiles;
    glm::vec3 fixedCachePosition{0.0f};
    bool fixedCacheReady = false;
    // Where each face of the cube map may hold more than the fixed casters' depths: the
    // moving casters of the last pass, or anything else drawn there.
    FaceRect staleRects[6] = {wholeFace(1024), wholeFace(1024), wholeFace(1024),
                              wholeFace(1024), wholeFace(1024), wholeFace(1024)};
};

// Farthest a point can lie from the light and still change its cube: the depth stored is
// the distance over 100, and anything farther than 100 stores the cleared depth, 1.
constexpr float shadowReach = 100.0f;

// The cube faces' shared projection: 90 degrees, aspect 1, near 0.1, far 100.
glm::mat4 shadowFaceProjection();
