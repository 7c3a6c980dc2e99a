#include "tools/props/PropTextures.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/pictures/Noise.h"
#include "tools/pictures/NormalMap.h"
#include "tools/pictures/Paint.h"
#include "tools/pictures/Rng.h"
#include "tools/props/EnemyModel.h"

namespace zarnhold_assets {

namespace {

// Points on an ellipse in picture coordinates, for fillPolygon.
std::vector<glm::vec2> ring2(glm::vec2 centre, float radiusX, float radiusY, int sides) {
    std::vector<glm::vec2> points;
    for (int i = 0; i < sides; ++i) {
        const float a = 6.2831853f * i / sides;
        points.push_back(centre + glm::vec2(radiusX * std::cos(a), radiusY * std::sin(a)));
    }
    return points;
}

float smoothstep(float a, float b, float x) {
    const float t = std::clamp((x - a) / (b - a), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

// Dark iron, hammered: shallow dents from a cell noise.
void paintIron(Image& colour, Mask& height, int x0, int y0, int x1, int y1, const Noise& noise) {
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const Noise::Cells c = noise.cells(x / 18.0f, y / 18.0f, 64);
            const float dent = c.nearest * c.nearest;
            const float grain = noise.fbm(x / 6.0f, y / 6.0f, 3, 64);
            colour.at(x, y) = glm::vec3(0.2f, 0.21f, 0.24f) * (0.75f + 0.5f * grain) * (0.8f + 0.4f * dent);
            height.at(x, y) = 0.6f * dent + 0.1f * grain;
        }
    }
}

}  // namespace

TexturePair paintLightCrystalTexture() {
    const int size = 256;
    const Noise noise(301);
    Image colour(size, size);
    Mask height(size, size);
    paintIron(colour, height, 0, 0, size / 2, size, noise);
    // The crystal: pale at its heart, veined with light along its cleavage planes.
    for (int y = 0; y < size; ++y) {
        for (int x = size / 2; x < size; ++x) {
            const Noise::Cells c = noise.cells(x / 20.0f, y / 28.0f, 64);
            const float vein = 1.0f - smoothstep(0.0f, 0.12f, c.second - c.nearest);
            const float cloud = noise.fbm(x / 24.0f, y / 24.0f, 4, 64);
            const glm::vec3 deep(0.35f, 0.62f, 0.95f);
            const glm::vec3 pale(0.8f, 0.95f, 1.0f);
            colour.at(x, y) =
                glm::mix(deep, pale, 0.35f + 0.45f * cloud) + glm::vec3(0.25f, 0.3f, 0.2f) * vein;
            height.at(x, y) = 0.5f + 0.05f * cloud;
        }
    }
    return {colour, normalMapFromHeight(height, 3.0f, false)};
}

TexturePair paintEnemyTexture() {
    using Atlas = EnemyAtlas;
    const int size = 512;
    const Noise noise(401);
    Image colour(size, size);
    Mask height(size, size);
    const glm::vec3 olive(0.30f, 0.36f, 0.22f);
    const glm::vec3 ash(0.40f, 0.37f, 0.29f);
    // Scales everywhere first; the kilt is painted over its quarter below.
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const Noise::Cells c = noise.cells(x / 10.0f, y / 8.0f, 64);
            const float scale = smoothstep(0.0f, 0.25f, c.second - c.nearest);
            const float mottle = noise.fbm(x / 64.0f, y / 64.0f, 4, 8);
            glm::vec3 skin = glm::mix(olive, ash, mottle) * (0.55f + 0.45f * scale);
            skin *= 0.85f + 0.3f * ((c.cellId * 37 % 17) / 17.0f);
            colour.at(x, y) = skin;
            height.at(x, y) = 0.4f * scale + 0.1f * mottle;
        }
    }
    // The face: a dark brow over two burning eyes, and a mouth of teeth.
    const int faceX0 = static_cast<int>(Atlas::kHideU1 * size);
    const int faceRows = static_cast<int>((1.0f - Atlas::kFaceV0) * size);
    auto toFace = [&](float x, float y) {
        const float s = (x + Atlas::kHeadHalfWidth) / (2.0f * Atlas::kHeadHalfWidth);
        const float t = (y - Atlas::kHeadBottom) / (Atlas::kHeadTop - Atlas::kHeadBottom);
        return glm::vec2(faceX0 + s * (size - faceX0), (1.0f - t) * faceRows);
    };
    for (float side : {-1.0f, 1.0f}) {
        const glm::vec2 eye = toFace(side * Atlas::kEyeX, Atlas::kEyeY);
        Mask socket(size, size);
        fillPolygon(socket, ring2(eye, 26.0f, 16.0f, 12));
        darkenMask(colour, socket.blurred(4), 0, 0, 0.8f);
        Mask iris(size, size);
        fillPolygon(iris, ring2(eye + glm::vec2(-side * 2.0f, 2.0f), 15.0f, 8.0f, 12));
        addMask(colour, iris.blurred(6), 0, 0, {1.0f, 0.35f, 0.05f}, 1.2f);
        blendMask(colour, iris, 0, 0, {1.0f, 0.75f, 0.2f}, 1.0f);
        Mask brow(size, size);
        fillPolygon(brow, {eye + glm::vec2(-side * 34.0f, -10.0f), eye + glm::vec2(side * 30.0f, -30.0f),
                           eye + glm::vec2(side * 32.0f, -20.0f), eye + glm::vec2(-side * 30.0f, -2.0f)});
        darkenMask(colour, brow.blurred(3), 0, 0, 0.6f);
    }
    const glm::vec2 mouth = toFace(0.0f, Atlas::kMouthY);
    Mask gap(size, size);
    fillPolygon(gap, {mouth + glm::vec2(-70.0f, -6.0f), mouth + glm::vec2(70.0f, -6.0f),
                      mouth + glm::vec2(60.0f, 10.0f), mouth + glm::vec2(-60.0f, 10.0f)});
    blendMask(colour, gap.blurred(2), 0, 0, {0.08f, 0.02f, 0.02f}, 1.0f);
    Mask teeth(size, size);
    for (int i = -5; i <= 5; ++i) {
        const float x = mouth.x + i * 12.0f;
        const float up = (i % 2 == 0) ? -1.0f : 1.0f;
        const float base = up < 0.0f ? mouth.y - 6.0f : mouth.y + 10.0f;
        fillPolygon(teeth, {{x - 5.0f, base}, {x + 5.0f, base}, {x, base - up * 12.0f}});
    }
    blendMask(colour, teeth, 0, 0, {0.85f, 0.8f, 0.65f}, 1.0f);
    // The kilt: stitched leather bands.
    const int kiltX0 = faceX0;
    const int kiltY0 = faceRows;
    for (int y = kiltY0; y < size; ++y) {
        for (int x = kiltX0; x < size; ++x) {
            const float grain = noise.fbm(x / 12.0f, y / 40.0f, 4, 64);
            const int band = (y - kiltY0) / 32;
            const float seam = std::abs(((y - kiltY0) % 32) - 16.0f) > 14.0f ? 0.6f : 1.0f;
            const float stitch = (((y - kiltY0) % 32 == 4) && (x / 6) % 2 == 0) ? 1.6f : 1.0f;
            colour.at(x, y) = glm::vec3(0.30f, 0.19f, 0.11f) * (0.7f + 0.5f * grain) * seam * stitch *
                              (band % 2 == 0 ? 1.0f : 0.85f);
            height.at(x, y) = 0.5f * seam + 0.1f * grain;
        }
    }
    return {colour, normalMapFromHeight(height, 4.0f, false)};
}

Image paintSwordTexture() {
    const int size = 256;
    const Noise noise(501);
    Image colour(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float grain = noise.fbm(x / 8.0f, y / 8.0f, 3, 64);
            if (x < 128) {
                // Steel: bright edges, a darker fuller down the middle.
                const float across = std::abs(x - 64.0f) / 64.0f;
                const float fuller = 1.0f - 0.35f * (1.0f - smoothstep(0.05f, 0.14f, across));
                const float edge = 0.85f + 0.25f * smoothstep(0.6f, 1.0f, across);
                colour.at(x, y) = glm::vec3(0.72f, 0.75f, 0.8f) * fuller * edge * (0.9f + 0.15f * grain);
            } else if (x < 192) {
                colour.at(x, y) = glm::vec3(0.85f, 0.66f, 0.25f) * (0.75f + 0.4f * grain);
            } else {
                // Leather wound round the grip: diagonal bands.
                const float wrap = std::sin((x * 0.6f + y) * 0.35f);
                colour.at(x, y) = glm::vec3(0.32f, 0.18f, 0.09f) * (0.7f + 0.25f * wrap + 0.2f * grain);
            }
        }
    }
    return colour;
}

Image paintShieldTexture() {
    const int size = 512;
    const Noise noise(601);
    Image colour(size, size);
    const glm::vec2 centre(size * 0.5f, size * 0.5f);
    const float rimInner = 0.9f * size * 0.5f;    // radius 1.98 of 2.2
    const float bossOuter = 0.26f * size * 0.5f;  // radius 0.56 of 2.2
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const glm::vec2 d = glm::vec2(x + 0.5f, y + 0.5f) - centre;
            const float r = glm::length(d);
            const float grain = noise.fbm(x / 6.0f, y / 90.0f, 4, 64);
            const float wear = noise.fbm(x / 40.0f, y / 40.0f, 4, 16);
            if (r > rimInner || r < bossOuter) {
                const float hammer = noise.fbm(x / 5.0f, y / 5.0f, 3, 128);
                colour.at(x, y) = glm::vec3(0.42f, 0.42f, 0.45f) * (0.7f + 0.5f * hammer);
                continue;
            }
            // Vertical planks under blue paint, worn through in patches.
            const float plank = (static_cast<int>(x / 64.0f) % 2 == 0) ? 1.0f : 0.9f;
            const glm::vec3 wood = glm::vec3(0.45f, 0.3f, 0.16f) * (0.7f + 0.5f * grain) * plank;
            const glm::vec3 paint = glm::vec3(0.1f, 0.2f, 0.5f) * (0.85f + 0.2f * grain);
            const float paintLeft = smoothstep(0.28f, 0.4f, wear);
            colour.at(x, y) = glm::mix(wood, paint, paintLeft);
            const bool seam = (x % 64) < 2;
            if (seam) {
                colour.at(x, y) *= 0.5f;
            }
        }
    }
    // A golden crystal, point up on the player's screen, and a gold ring inside the rim.
    Mask emblem(size, size);
    fillPolygon(emblem, {{centre.x, 52.0f},
                         {centre.x + 70.0f, centre.y - 60.0f},
                         {centre.x + 56.0f, centre.y + 90.0f},
                         {centre.x, size - 60.0f},
                         {centre.x - 56.0f, centre.y + 90.0f},
                         {centre.x - 70.0f, centre.y - 60.0f}});
    darkenMask(colour, emblem.blurred(3).shifted(3, 4), 0, 0, 0.5f);
    blendMask(colour, emblem, 0, 0, {0.85f, 0.65f, 0.22f}, 0.95f);
    Mask ring(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float r = glm::length(glm::vec2(x + 0.5f, y + 0.5f) - centre);
            ring.at(x, y) = 1.0f - smoothstep(3.0f, 5.0f, std::abs(r - (rimInner - 14.0f)));
        }
    }
    blendMask(colour, ring, 0, 0, {0.85f, 0.65f, 0.22f}, 0.9f);
    // The boss is bare iron over the emblem.
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if (glm::length(glm::vec2(x + 0.5f, y + 0.5f) - centre) < bossOuter) {
                const float hammer = noise.fbm(x / 5.0f, y / 5.0f, 3, 128);
                colour.at(x, y) = glm::vec3(0.5f, 0.5f, 0.53f) * (0.7f + 0.5f * hammer);
            }
        }
    }
    return colour;
}

Image paintCrystalFace(std::uint64_t seed, glm::vec3 tint, glm::vec3 glow) {
    const int size = 256;
    const Noise noise(seed);
    Rng rng(seed * 17 + 5);
    Image colour(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            // Facets: each cell of a cell noise a flat plane of its own brightness.
            const Noise::Cells c = noise.cells(x / 42.0f, y / 42.0f, 64);
            const float facet = ((c.cellId * 2654435761u) % 1000u) / 1000.0f;
            const float edge = 1.0f - smoothstep(0.0f, 0.08f, c.second - c.nearest);
            const float depth = noise.fbm(x / 32.0f, y / 32.0f, 4, 64);
            glm::vec3 v = tint * (0.45f + 0.45f * facet) * (0.7f + 0.6f * depth);
            v += glow * (0.9f * edge + 0.35f * (1.0f - c.nearest));
            colour.at(x, y) = v;
        }
    }
    for (int i = 0; i < 24; ++i) {
        const glm::vec2 at(rng.range(0.0f, size), rng.range(0.0f, size));
        addRadialGlow(colour, at, rng.range(1.0f, 2.5f), glm::vec3(1.0f) * rng.range(0.4f, 0.9f));
        addRadialGlow(colour, at, 8.0f, glow * 0.15f);
    }
    return colour;
}

}  // namespace zarnhold_assets
