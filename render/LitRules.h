#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include <glm/glm.hpp>

namespace zarnhold {

struct Light;

// Which lights a lit draw uses, as plain values: the choice by distance from the player,
// the masks that leave out lights a surface cannot receive, and the view test that skips
// a mesh altogether.

// Texture unit of the cube map of light 0 of the list; light i's is this plus i.
constexpr int firstShadowUnit = 10;

// A light chosen for one lit draw: its array slot in the shader ("lights[slot]",
// "shadows[slot]") and the texture unit of its cube map (firstShadowUnit + its index in
// the light list).
struct LitLightSlot {
    int listIndex = 0;
    int slot = 0;
    int textureUnit = 0;
};

// Lights strictly closer than 25 units to `playerPosition` (render frame), in list order;
// slots count selected lights only. NaN distances are not selected.
std::vector<LitLightSlot> selectLitLights(const glm::vec3& playerPosition, const std::vector<Light*>& lights);

// Of `near`, the lights whose list index passes `keep`, in order; slots renumbered from 0.
std::vector<LitLightSlot> lightsWhere(const std::vector<LitLightSlot>& near,
                                      const std::function<bool(int)>& keep);
// Of `near`, the lights in `mask`: bit i for light i of the list; lights past 31 always.
std::vector<LitLightSlot> lightsInMask(const std::vector<LitLightSlot>& near, unsigned int mask);
// Whether two choices name the same lights in the same order (slots follow from that).
bool sameLights(const std::vector<LitLightSlot>& a, const std::vector<LitLightSlot>& b);

// One light mask per triangle of `indices` (three per triangle, into `positions`, which
// `model` carries into the render frame): bit i is clear when light i of `lightCount`
// cannot reach the box around the triangle, as `mayLight(i, low, high)` says; bits of
// lights past 31, and of lights that may reach it, are set.
std::vector<unsigned int> triangleLightMasks(const std::vector<glm::vec3>& positions,
                                             const std::vector<std::uint16_t>& indices,
                                             const glm::mat4& model, int lightCount,
                                             const std::function<bool(int, glm::vec3, glm::vec3)>& mayLight);

// Whether a sphere lies wholly outside one of the six clip planes of `viewProjection`: then
// nothing inside it can cover a pixel. Gribb and Hartmann's planes, each tested with a
// little slack, so a sphere touching the view is never called outside.
bool outsideView(const glm::mat4& viewProjection, glm::vec3 centre, float radius);

}  // namespace zarnhold
