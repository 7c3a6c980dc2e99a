#include "tools/pictures/GameIcon.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/pictures/Noise.h"
#include "tools/pictures/Paint.h"
#include "tools/pictures/Rng.h"

namespace zarnhold_assets {

namespace {

constexpr int kSize = 128;
// The tile leaves a small margin, as desktop icons do, so it does not touch its neighbours.
constexpr float kMargin = 4.0f;
constexpr float kCornerRadius = 20.0f;
constexpr int kCourseHeight = 30;
const glm::vec2 kCrystalCentre(64.0f, 62.0f);

// A rounded square: each corner a quarter circle of `radius`.
std::vector<glm::vec2> roundedSquare(float low, float high, float radius) {
    const glm::vec2 centres[] = {{high - radius, low + radius},
                                 {high - radius, high - radius},
                                 {low + radius, high - radius},
                                 {low + radius, low + radius}};
    const int steps = 8;
    std::vector<glm::vec2> points;
    for (int corner = 0; corner < 4; ++corner) {
        for (int i = 0; i <= steps; ++i) {
            const float a = 1.5707963f * (static_cast<float>(corner - 1) + static_cast<float>(i) / steps);
            points.push_back(centres[corner] + radius * glm::vec2(std::cos(a), std::sin(a)));
        }
    }
    return points;
}

// Horizontal distance from x to the nearest of one course's joints between blocks.
float distanceToJoint(float x, const std::vector<float>& joints) {
    float nearest = 1e9f;
    for (float joint : joints) {
        nearest = std::min(nearest, std::abs(x - joint));
    }
    return nearest;
}

// Where each course's vertical joints fall: blocks of uneven length, courses staggered.
std::vector<std::vector<float>> courseJoints() {
    Rng rng(811);
    std::vector<std::vector<float>> courses;
    for (int course = 0; course * kCourseHeight < kSize; ++course) {
        std::vector<float> joints;
        for (float x = rng.range(-30.0f, 0.0f); x < kSize; x += rng.range(34.0f, 52.0f)) {
            joints.push_back(x);
        }
        courses.push_back(joints);
    }
    return courses;
}

// Dark blocks with grain, set in darker sunken mortar.
void paintStone(Image& image) {
    const Noise noise(812);
    const std::vector<std::vector<float>> courses = courseJoints();
    const glm::vec3 block(0.17f, 0.17f, 0.19f);
    const glm::vec3 mortar(0.05f, 0.05f, 0.06f);
    for (int y = 0; y < kSize; ++y) {
        const int course = y / kCourseHeight;
        const float bed = std::min<float>(y % kCourseHeight, kCourseHeight - y % kCourseHeight);
        for (int x = 0; x < kSize; ++x) {
            const float joint = std::min(bed, distanceToJoint(x + 0.5f, courses[course]));
            const float grain = noise.fbm(x / 5.0f, y / 5.0f, 3, 64);
            const float face = std::clamp((joint - 1.0f) / 1.5f, 0.0f, 1.0f);
            image.at(x, y) = glm::mix(mortar, block * (0.7f + 0.6f * grain), face);
        }
    }
}

// The light crystal: six facets shaded from light (upper right) to dark (lower left), in a
// halo of its own blue light.
void paintCrystal(Image& image) {
    const std::vector<CrystalFacet> facets = crystalFacets(kCrystalCentre, 21.0f, 44.0f);
    const glm::vec3 light(0.75f, 0.92f, 1.0f);
    const glm::vec3 dark(0.08f, 0.26f, 0.60f);
    Mask whole(kSize, kSize);
    for (const CrystalFacet& facet : facets) {
        fillPolygon(whole, facet.points);
    }
    // The halo goes first, so the facets keep their shading on top of it.
    addMask(image, whole.blurred(6), 0, 0, glm::vec3(0.25f, 0.55f, 1.0f), 0.9f);
    for (const CrystalFacet& facet : facets) {
        Mask mask(kSize, kSize);
        fillPolygon(mask, facet.points);
        blendMask(image, mask, 0, 0, glm::mix(dark, light, facet.light), 0.95f);
    }
}

}  // namespace

IconPicture paintGameIcon() {
    IconPicture icon{Image(kSize, kSize), Mask(kSize, kSize)};
    fillPolygon(icon.alpha, roundedSquare(kMargin, kSize - kMargin, kCornerRadius));
    paintStone(icon.colour);
    // The crystal lights the stone around it.
    addRadialGlow(icon.colour, kCrystalCentre, 34.0f, glm::vec3(0.10f, 0.24f, 0.55f));
    paintCrystal(icon.colour);
    // A glint where the light facets meet.
    addRadialGlow(icon.colour, kCrystalCentre + glm::vec2(4.0f, -20.0f), 4.0f, glm::vec3(0.6f, 0.7f, 0.7f));
    applyVignette(icon.colour, 0.55f);
    return icon;
}

}  // namespace zarnhold_assets
