#pragma once

#include <memory>
#include <utility>
#include <vector>

#include <glm/glm.hpp>

#include "render/DepthCubePool.h"
#include "render/ProgramCache.h"

namespace zarnhold {

class GlLedger;
class Node;
class ShadowCubeRenderer;
struct Light;

// The GL side of the game: the run's linked programs (each linked once a run, however many
// objects draw with it), the depth cubes, which outlive the runs, and the current run's
// shadow renderers, one for each light. The game holds one; a run's
// objects reach it through RunContext::renderWorld and draw with what it gives them.
class RenderWorld {
public:
    RenderWorld();
    ~RenderWorld();
    RenderWorld(const RenderWorld&) = delete;
    RenderWorld& operator=(const RenderWorld&) = delete;

    // The textured, normal-mapped, shadowed program of every lit mesh. GL context current.
    unsigned int litProgram();
    ProgramCache& programs() { return programCache; }
    DepthCubePool& depthCubes() { return cubes; }

    // Gives `light` a shadow renderer of its own (its cubes from the pool, its programs from
    // the cache, its framebuffers into `ledger`) and fills in the light's shadowCubeMap,
    // shadowFramebuffer and shadowProgram. A light set up again gets a fresh renderer; the
    // light must stay where it is while it has one. GL context current.
    void addLight(Light& light, GlLedger* ledger);
    // The run is over: its lights' renderers and its programs go, and the cubes return to
    // the pool.
    void endRun();

    // The light's renderer, or null when it has none.
    ShadowCubeRenderer* shadowsOf(const Light& light) const;
    // The renderer's passes at the light's position (see ShadowCubeRenderer); nothing for a
    // light without one.
    void renderShadowMap(const Light& light, Node& root);
    void cacheFixedCasters(const Light& light, Node& root);
    void renderShadowMapReference(const Light& light, Node& root);
    // False only when the light's fixed shadows show it cannot reach the box (render frame);
    // a light without a renderer may light anything.
    bool mayLight(const Light& light, glm::vec3 low, glm::vec3 high) const;

private:
    ProgramCache programCache;
    DepthCubePool cubes;
    std::vector<std::pair<const Light*, std::unique_ptr<ShadowCubeRenderer>>> renderers;
};

}  // namespace zarnhold
