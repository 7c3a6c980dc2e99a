#include "render/RenderWorld.h"

#include <algorithm>

#include "render/Light.h"
#include "render/ShadowCubeRenderer.h"

namespace zarnhold {

RenderWorld::RenderWorld() = default;

RenderWorld::~RenderWorld() = default;

unsigned int RenderWorld::litProgram() {
    return programCache.program("lightshader.vert", "lightshader.frag");
}

void RenderWorld::addLight(Light& light, GlLedger* ledger) {
    renderers.erase(std::remove_if(renderers.begin(), renderers.end(),
                                   [&](const auto& entry) { return entry.first == &light; }),
                    renderers.end());
    auto shadows = std::make_unique<ShadowCubeRenderer>();
    shadows->setUp(cubes, programCache, ledger);
    light.shadowCubeMap = shadows->shadowCubeMap;
    light.shadowFramebuffer = shadows->shadowFramebuffer;
    light.shadowProgram = shadows->shadowProgram;
    renderers.emplace_back(&light, std::move(shadows));
}

void RenderWorld::endRun() {
    renderers.clear();
    cubes.takeBackAll();
    // The driver keeps every variant it compiles of a program (one for each set of states it
    // was drawn with) for as long as the program lives: kept for the game, the programs made
    // resident memory climb about 3.5 MB a run over the first runs. Linking the run's five
    // again costs the world build about 12 ms.
    programCache.releaseAll();
}

ShadowCubeRenderer* RenderWorld::shadowsOf(const Light& light) const {
    for (const auto& entry : renderers) {
        if (entry.first == &light) return entry.second.get();
    }
    return nullptr;
}

void RenderWorld::renderShadowMap(const Light& light, Node& root) {
    if (ShadowCubeRenderer* shadows = shadowsOf(light)) shadows->render(root, light.position);
}

void RenderWorld::cacheFixedCasters(const Light& light, Node& root) {
    if (ShadowCubeRenderer* shadows = shadowsOf(light)) shadows->cacheFixedCasters(root, light.position);
}

void RenderWorld::renderShadowMapReference(const Light& light, Node& root) {
    if (ShadowCubeRenderer* shadows = shadowsOf(light)) shadows->renderReference(root, light.position);
}

bool RenderWorld::mayLight(const Light& light, glm::vec3 low, glm::vec3 high) const {
    const ShadowCubeRenderer* shadows = shadowsOf(light);
    return shadows == nullptr || shadows->mayLight(light.position, low, high);
}

}  // namespace zarnhold
