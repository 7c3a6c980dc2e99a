#pragma once

#include <vector>

#include <glm/glm.hpp>

#include "render/CubeDepthTiles.h"
#include "render/ShadowFaces.h"

namespace zarnhold {

class DepthCubePool;
class GlLedger;
class ProgramCache;
class Node;
class Object3D;

// A moving shadow caster and the cube faces it changes (bit f for face f).
struct MovingCaster {
    Object3D* mesh = nullptr;
    unsigned int faces = 0;
};

// Draws one light's omnidirectional shadow: a 1024x1024 depth cube map around the light's
// position (render frame), in one layered pass. The casters fixed in place are drawn once
// per run into a cache; each frame copies the cache back where moving casters were or are
// and draws only those over it. Holds the GL names for it; the render world holds one
// renderer for each light of the run.
class ShadowCubeRenderer {
public:
    // Takes the shadow programs from `programs` and builds the framebuffers, with the cube
    // map and its cache taken from `cubes`; every framebuffer made goes into `ledger` (none
    // recorded when it is null).
    // Prints "Framebuffer not OK!" when a framebuffer is incomplete and returns false: the
    // renderer then has no cache and draws the plain pass every frame. GL context current.
    bool setUp(DepthCubePool& cubes, ProgramCache& programs, GlLedger* ledger);
    // Gives the cube map this frame's depths of every shadow caster under `root`, seen from
    // `position`: equal to renderReference's, even after frames in which it was not called.
    // A moving caster hidden from the light behind fixed ones is not drawn at all; casters
    // out of the light's reach are skipped. Leaves the viewport at 1024x1024 and
    // framebuffer 0 bound.
    void render(Node& root, glm::vec3 position);
    // Draws the fixed casters' cache now, if it is not drawn yet for `position`, and reads
    // back what mayLight needs.
    void cacheFixedCasters(Node& root, glm::vec3 position);
    // The plain pass: clears the cube map and draws every caster into it. The next render
    // starts again from the fixed casters' cache.
    void renderReference(Node& root, glm::vec3 position);
    // The plain pass into another depth-cube framebuffer (a test's or a benchmark's),
    // leaving this renderer's cube map and what it knows about it alone.
    void drawEveryCaster(Node& root, unsigned int framebuffer, glm::vec3 position);

    // False only when a light at `position` cannot reach any point of the box from `low` to
    // `high` (render frame): its fixed casters, already drawn into the cache, lie nearer
    // than the box wherever the box could be seen from the light, so the lit surface finds
    // every point of it in shadow and the light adds exactly nothing there.
    bool mayLight(glm::vec3 position, glm::vec3 low, glm::vec3 high) const;

    unsigned int cubeMap() const { return shadowCubeMap; }

    unsigned int shadowCubeMap = 0;
    unsigned int shadowFramebuffer = 0;
    unsigned int shadowProgram = 0;
    // The fixed casters' depths, kept for the run, and the framebuffers that copy them; all 0
    // without the cache.
    unsigned int fixedDepthCube = 0;
    unsigned int fixedFramebuffer = 0;
    unsigned int copyReadFramebuffer = 0;
    unsigned int copyDrawFramebuffer = 0;
    // Draws the moving casters one face at a time; 0 when it would not link.
    unsigned int faceProgram = 0;

private:
    void setPassUniforms(glm::vec3 position);
    void drawFixedCache(Node& root, glm::vec3 position);
    // Copies the fixed casters' depths into rectangle rects[f] of each face f.
    void copyFixedCache(const FaceRect rects[6]);
    void markWholeCubeStale();
    void drawMovingCasters(const std::vector<MovingCaster>& casters, const glm::mat4 faceMatrices[6],
                           glm::vec3 position);
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

}  // namespace zarnhold
