#include "render/LitRules.h"

#include <cmath>
#include <limits>

#include "render/Light.h"

namespace zarnhold {

namespace {

constexpr float lightRange = 25.0f;

}  // namespace

std::vector<LitLightSlot> lightsWhere(const std::vector<LitLightSlot>& near,
                                      const std::function<bool(int)>& keep) {
    std::vector<LitLightSlot> kept;
    for (const LitLightSlot& slot : near) {
        if (keep(slot.listIndex)) {
            kept.push_back({slot.listIndex, static_cast<int>(kept.size()), slot.textureUnit});
        }
    }
    return kept;
}

std::vector<LitLightSlot> lightsInMask(const std::vector<LitLightSlot>& near, unsigned int mask) {
    return lightsWhere(near, [&](int i) { return i >= 32 || ((mask >> i) & 1u) != 0; });
}

bool sameLights(const std::vector<LitLightSlot>& a, const std::vector<LitLightSlot>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].listIndex != b[i].listIndex) return false;
    }
    return true;
}

bool outsideView(const glm::mat4& viewProjection, glm::vec3 centre, float radius) {
    const glm::mat4 m = glm::transpose(viewProjection);
    const glm::vec4 planes[6] = {m[3] + m[0], m[3] - m[0], m[3] + m[1],
                                 m[3] - m[1], m[3] + m[2], m[3] - m[2]};
    for (const glm::vec4& plane : planes) {
        const float length = glm::length(glm::vec3(plane));
        if (!(length > 0.0f)) continue;
        const float distance = (glm::dot(glm::vec3(plane), centre) + plane.w) / length;
        if (distance < -(radius * 1.01f + 0.01f)) return true;
    }
    return false;
}

std::vector<LitLightSlot> selectLitLights(const glm::vec3& playerPosition,
                                          const std::vector<Light*>& lights) {
    std::vector<LitLightSlot> chosen;
    for (std::size_t i = 0; i < lights.size(); ++i) {
        const glm::vec3 d = lights[i]->position - playerPosition;
        const float distance = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
        if (distance < lightRange) {
            const int index = static_cast<int>(i);
            chosen.push_back({index, static_cast<int>(chosen.size()), firstShadowUnit + index});
        }
    }
    return chosen;
}

std::vector<unsigned int> triangleLightMasks(const std::vector<glm::vec3>& positions,
                                             const std::vector<std::uint16_t>& indices,
                                             const glm::mat4& model, int lightCount,
                                             const std::function<bool(int, glm::vec3, glm::vec3)>& mayLight) {
    std::vector<unsigned int> masks;
    masks.reserve(indices.size() / 3);
    for (std::size_t t = 0; t + 2 < indices.size(); t += 3) {
        glm::vec3 low(std::numeric_limits<float>::max()), high(-std::numeric_limits<float>::max());
        for (std::size_t corner = t; corner < t + 3; ++corner) {
            const glm::vec3 world(model * glm::vec4(positions[indices[corner]], 1.0f));
            low = glm::min(low, world);
            high = glm::max(high, world);
        }
        unsigned int mask = ~0u;
        for (int i = 0; i < lightCount && i < 32; ++i) {
            if (!mayLight(i, low, high)) mask &= ~(1u << i);
        }
        masks.push_back(mask);
    }
    return masks;
}

}  // namespace zarnhold
