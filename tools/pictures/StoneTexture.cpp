#include "tools/pictures/StoneTexture.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/pictures/Noise.h"
#include "tools/pictures/NormalMap.h"
#include "tools/pictures/Rng.h"

namespace zarnhold_assets {

namespace {

constexpr int kSize = 1024;
constexpr int kCourses = 4;
constexpr int kCourseHeight = kSize / kCourses;

// One course: joint positions across the texture (wrapping at kSize) and each block's look.
struct Course {
    std::vector<int> joints;    // ascending, first at an offset, next course repeats at + kSize
    std::vector<float> tone;    // per block: lighter or darker stone
    std::vector<float> warmth;  // per block: towards brown or grey
};

std::vector<Course> layCourses(Rng& rng) {
    std::vector<Course> courses(kCourses);
    for (Course& course : courses) {
        // Lengths that add up to the texture width, so the course tiles.
        const int count = 2 + static_cast<int>(rng.next() % 2);
        std::vector<float> lengths(count);
        float total = 0.0f;
        for (float& l : lengths) {
            l = rng.range(0.75f, 1.25f);
            total += l;
        }
        int x = static_cast<int>(rng.range(0.0f, 200.0f));
        for (int i = 0; i < count; ++i) {
            course.joints.push_back(x);
            course.tone.push_back(rng.range(0.88f, 1.08f));
            course.warmth.push_back(rng.range(0.15f, 0.7f));
            x += static_cast<int>(lengths[i] / total * kSize);
        }
        course.joints.push_back(course.joints[0] + kSize);
    }
    return courses;
}

// Which block of the course the wrapped column x lies in, and its distance to the
// nearest vertical joint.
void locate(const Course& course, int x, int& block, int& toJoint) {
    int px = x;
    if (px < course.joints[0]) {
        px += kSize;
    }
    block = 0;
    while (block + 1 < static_cast<int>(course.joints.size()) - 1 && px >= course.joints[block + 1]) {
        ++block;
    }
    toJoint = std::min(px - course.joints[block], course.joints[block + 1] - 1 - px);
}

}  // namespace

StoneTexture paintStoneTexture() {
    Rng rng(1234);
    const Noise grain(77);
    const Noise chips(78);
    const Noise stains(79);
    const std::vector<Course> courses = layCourses(rng);

    Mask height(kSize, kSize);
    Image colour(kSize, kSize);
    const glm::vec3 grey(0.46f, 0.45f, 0.43f);
    const glm::vec3 brown(0.50f, 0.43f, 0.34f);
    const glm::vec3 mortarColour(0.25f, 0.23f, 0.21f);
    for (int y = 0; y < kSize; ++y) {
        const int c = y / kCourseHeight;
        const int inCourse = y % kCourseHeight;
        const Course& course = courses[c];
        const int toBed = std::min(inCourse, kCourseHeight - 1 - inCourse);
        for (int x = 0; x < kSize; ++x) {
            int block, toJoint;
            locate(course, x, block, toJoint);
            // Chipped arrises: the edge wanders with a fine noise.
            const float chip = (chips.fbm(x / 16.0f, y / 16.0f, 3, 64) - 0.5f) * 18.0f;
            const float edge = std::min(toBed, toJoint) + chip;
            const float bevel = std::clamp((edge - 6.0f) / 14.0f, 0.0f, 1.0f);
            const float face = std::sqrt(bevel);
            const float fine = grain.fbm(x / 8.0f, y / 8.0f, 4, 128);
            const float broad = grain.fbm(x / 128.0f, y / 128.0f, 3, 8);
            // Bedding planes of the stone: a grain stretched along the course.
            const float strata = grain.fbm(x / 128.0f + 17.0f * block, y / 12.0f + 9.0f * c, 3, 8);
            height.at(x, y) =
                0.35f + 0.55f * face + 0.10f * fine * face + 0.08f * broad * face + 0.04f * strata * face;

            const float stain = stains.fbm(x / 256.0f, y / 256.0f, 4, 4);
            glm::vec3 stone = glm::mix(grey, brown, course.warmth[block]) * course.tone[block];
            stone *= 0.8f + 0.4f * fine;
            stone *= 0.9f + 0.2f * strata;
            stone *= 0.85f + 0.3f * broad;
            // Darker stains and grime collect in broad patches and near the joints.
            stone *= 1.0f - 0.35f * std::clamp((stain - 0.45f) * 3.0f, 0.0f, 1.0f);
            stone *= 0.75f + 0.25f * bevel;
            const glm::vec3 mortar = mortarColour * (0.8f + 0.4f * fine);
            colour.at(x, y) = glm::mix(mortar, stone, std::clamp(face * 1.5f, 0.0f, 1.0f));
        }
    }
    StoneTexture texture;
    texture.colour = colour;
    texture.normals = normalMapFromHeight(height, 6.0f, true);
    return texture;
}

}  // namespace zarnhold_assets
