#include "tools/pictures/Paint.h"

#include <algorithm>
#include <cmath>

namespace zarnhold_assets {

namespace {

// Even-odd test of one point against the polygon.
bool inside(const std::vector<glm::vec2>& points, float x, float y) {
    bool in = false;
    const size_t n = points.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const glm::vec2& a = points[i];
        const glm::vec2& b = points[j];
        if ((a.y > y) != (b.y > y)) {
            const float crossX = a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y);
            if (x < crossX) {
                in = !in;
            }
        }
    }
    return in;
}

// Calls paint(x, y, coverage) for every image pixel under a mask pixel with coverage.
template <typename Paint>
void forCovered(Image& image, const Mask& mask, int left, int top, Paint paint) {
    const int x0 = std::max(0, left);
    const int y0 = std::max(0, top);
    const int x1 = std::min(image.width(), left + mask.width());
    const int y1 = std::min(image.height(), top + mask.height());
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const float coverage = mask.at(x - left, y - top);
            if (coverage > 0.0f) {
                paint(x, y, coverage);
            }
        }
    }
}

}  // namespace

void fillPolygon(Mask& mask, const std::vector<glm::vec2>& points) {
    if (points.size() < 3) {
        return;
    }
    float minX = points[0].x, maxX = points[0].x, minY = points[0].y, maxY = points[0].y;
    for (const glm::vec2& p : points) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    const int x0 = std::max(0, static_cast<int>(std::floor(minX)));
    const int y0 = std::max(0, static_cast<int>(std::floor(minY)));
    const int x1 = std::min(mask.width() - 1, static_cast<int>(std::ceil(maxX)));
    const int y1 = std::min(mask.height() - 1, static_cast<int>(std::ceil(maxY)));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy) {
                for (int sx = 0; sx < 4; ++sx) {
                    hits += inside(points, x + (sx + 0.5f) / 4.0f, y + (sy + 0.5f) / 4.0f) ? 1 : 0;
                }
            }
            if (hits > 0) {
                mask.at(x, y) = std::min(1.0f, mask.at(x, y) + hits / 16.0f);
            }
        }
    }
}

void blendMask(Image& image, const Mask& mask, int left, int top, glm::vec3 colour, float opacity) {
    forCovered(image, mask, left, top, [&](int x, int y, float coverage) {
        image.at(x, y) = glm::mix(image.at(x, y), colour, coverage * opacity);
    });
}

void blendMaskGradient(Image& image, const Mask& mask, int left, int top, glm::vec3 topColour,
                       glm::vec3 bottomColour, float opacity) {
    const float rows = static_cast<float>(std::max(1, mask.height() - 1));
    forCovered(image, mask, left, top, [&](int x, int y, float coverage) {
        const glm::vec3 colour = glm::mix(topColour, bottomColour, (y - top) / rows);
        image.at(x, y) = glm::mix(image.at(x, y), colour, coverage * opacity);
    });
}

void addMask(Image& image, const Mask& mask, int left, int top, glm::vec3 colour, float strength) {
    forCovered(image, mask, left, top,
               [&](int x, int y, float coverage) { image.at(x, y) += colour * (coverage * strength); });
}

void darkenMask(Image& image, const Mask& mask, int left, int top, float strength) {
    forCovered(image, mask, left, top, [&](int x, int y, float coverage) {
        image.at(x, y) *= 1.0f - std::min(1.0f, coverage * strength);
    });
}

void addRadialGlow(Image& image, glm::vec2 centre, float radius, glm::vec3 colour) {
    // Beyond three radii the glow is below 0.02% of its peak: skip those pixels.
    const int x0 = std::max(0, static_cast<int>(centre.x - 3.0f * radius));
    const int x1 = std::min(image.width(), static_cast<int>(centre.x + 3.0f * radius) + 1);
    const int y0 = std::max(0, static_cast<int>(centre.y - 3.0f * radius));
    const int y1 = std::min(image.height(), static_cast<int>(centre.y + 3.0f * radius) + 1);
    const float inv = 1.0f / (radius * radius);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const float dx = x + 0.5f - centre.x;
            const float dy = y + 0.5f - centre.y;
            image.at(x, y) += colour * std::exp(-(dx * dx + dy * dy) * inv);
        }
    }
}

void applyVignette(Image& image, float strength) {
    const float cx = image.width() * 0.5f;
    const float cy = image.height() * 0.5f;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const float dx = (x + 0.5f - cx) / cx;
            const float dy = (y + 0.5f - cy) / cy;
            const float r2 = (dx * dx + dy * dy) * 0.5f;
            image.at(x, y) *= 1.0f - strength * std::pow(std::min(1.0f, r2), 1.5f);
        }
    }
}

std::vector<CrystalFacet> crystalFacets(glm::vec2 centre, float halfWidth, float halfHeight) {
    auto at = [&](float fx, float fy) { return centre + glm::vec2(fx * halfWidth, fy * halfHeight); };
    const glm::vec2 top = at(0.0f, -1.0f), upperRight = at(1.0f, -0.42f), lowerRight = at(0.82f, 0.5f);
    const glm::vec2 bottom = at(0.0f, 1.0f), lowerLeft = at(-0.82f, 0.5f), upperLeft = at(-1.0f, -0.42f);
    const glm::vec2 ridgeTop = at(0.12f, -0.38f), ridgeBottom = at(0.06f, 0.46f);
    return {
        {{top, upperLeft, ridgeTop}, 0.7f},
        {{top, ridgeTop, upperRight}, 1.0f},
        {{upperLeft, lowerLeft, ridgeBottom, ridgeTop}, 0.45f},
        {{ridgeTop, ridgeBottom, lowerRight, upperRight}, 0.8f},
        {{lowerLeft, bottom, ridgeBottom}, 0.15f},
        {{ridgeBottom, bottom, lowerRight}, 0.35f},
    };
}

}  // namespace zarnhold_assets
