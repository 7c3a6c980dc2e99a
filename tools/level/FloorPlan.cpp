#include "tools/level/FloorPlan.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

#include "tools/pictures/Paint.h"
#include "tools/pictures/TextRenderer.h"

namespace zarnhold_assets {

namespace {

constexpr float kPixelsPerUnit = 10.0f;
constexpr float kMargin = 3.0f;

// Height colours: deep purple far below through blue and green to orange for the
// gallery; the low rooms, all near -2, differ by a little brightness. The bottomless chasm
// has no floor and keeps the background.
glm::vec3 heightColour(float y) {
    struct Stop {
        float y;
        glm::vec3 colour;
    };
    const Stop stops[] = {
        {-20.0f, {0.25f, 0.05f, 0.30f}}, {-2.4f, {0.15f, 0.30f, 0.75f}}, {-1.6f, {0.25f, 0.55f, 0.85f}},
        {-0.5f, {0.20f, 0.65f, 0.45f}},  {2.0f, {0.55f, 0.75f, 0.25f}},  {5.5f, {0.95f, 0.60f, 0.15f}},
        {9.0f, {0.90f, 0.25f, 0.15f}},
    };
    if (y <= stops[0].y) {
        return stops[0].colour;
    }
    for (size_t i = 1; i < sizeof stops / sizeof stops[0]; ++i) {
        if (y <= stops[i].y) {
            const float t = (y - stops[i - 1].y) / (stops[i].y - stops[i - 1].y);
            return glm::mix(stops[i - 1].colour, stops[i].colour, t);
        }
    }
    return stops[6].colour;
}

struct PlanFrame {
    float minX = 0.0f;
    float minZ = 0.0f;
    glm::vec2 toPixel(float x, float z) const {
        return {(x - minX) * kPixelsPerUnit, (z - minZ) * kPixelsPerUnit};
    }
};

// The highest upward-facing surface under every pixel.
void drawFloors(Image& plan, std::vector<float>& top, const Mesh& level, const PlanFrame& frame) {
    for (const MeshTriangle& t : level.triangles()) {
        if (t.normal.y < 0.4f) {
            continue;
        }
        glm::vec2 p[3];
        for (int k = 0; k < 3; ++k) {
            p[k] = frame.toPixel(t.corners[k].position.x, t.corners[k].position.z);
        }
        const float area = (p[1].x - p[0].x) * (p[2].y - p[0].y) - (p[2].x - p[0].x) * (p[1].y - p[0].y);
        if (std::abs(area) < 1e-6f) {
            continue;
        }
        const int x0 = std::max(0, static_cast<int>(std::floor(std::min({p[0].x, p[1].x, p[2].x}))));
        const int x1 =
            std::min(plan.width() - 1, static_cast<int>(std::ceil(std::max({p[0].x, p[1].x, p[2].x}))));
        const int y0 = std::max(0, static_cast<int>(std::floor(std::min({p[0].y, p[1].y, p[2].y}))));
        const int y1 =
            std::min(plan.height() - 1, static_cast<int>(std::ceil(std::max({p[0].y, p[1].y, p[2].y}))));
        for (int py = y0; py <= y1; ++py) {
            for (int px = x0; px <= x1; ++px) {
                const glm::vec2 q(px + 0.5f, py + 0.5f);
                const float w0 = ((p[1].x - q.x) * (p[2].y - q.y) - (p[2].x - q.x) * (p[1].y - q.y)) / area;
                const float w1 = ((p[2].x - q.x) * (p[0].y - q.y) - (p[0].x - q.x) * (p[2].y - q.y)) / area;
                const float w2 = 1.0f - w0 - w1;
                if (w0 < 0.0f || w1 < 0.0f || w2 < 0.0f) {
                    continue;
                }
                const float y = w0 * t.corners[0].position.y + w1 * t.corners[1].position.y +
                                w2 * t.corners[2].position.y;
                float& best = top[static_cast<size_t>(py) * plan.width() + px];
                if (y > best) {
                    best = y;
                    plan.at(px, py) = heightColour(y);
                }
            }
        }
    }
}

// Walls seen from above are lines: draw the footprint of every upright triangle that
// comes down to the floor beside it (beams under a ceiling are left out).
void drawWalls(Image& plan, const std::vector<float>& top, const Mesh& level, const PlanFrame& frame) {
    Mask walls(plan.width(), plan.height());
    for (const MeshTriangle& t : level.triangles()) {
        if (std::abs(t.normal.y) > 0.1f) {
            continue;
        }
        const float lowest =
            std::min({t.corners[0].position.y, t.corners[1].position.y, t.corners[2].position.y});
        for (int k = 0; k < 3; ++k) {
            const glm::vec3& a = t.corners[k].position;
            const glm::vec3& b = t.corners[(k + 1) % 3].position;
            const glm::vec2 pa = frame.toPixel(a.x, a.z);
            const glm::vec2 pb = frame.toPixel(b.x, b.z);
            const int steps = static_cast<int>(glm::length(pb - pa)) + 1;
            for (int i = 0; i <= steps; ++i) {
                const glm::vec2 q = glm::mix(pa, pb, static_cast<float>(i) / steps);
                const int qx = static_cast<int>(q.x), qy = static_cast<int>(q.y);
                for (int oy = -1; oy <= 0; ++oy) {
                    for (int ox = -1; ox <= 0; ++ox) {
                        const int x = qx + ox, y = qy + oy;
                        if (x >= 0 && y >= 0 && x < plan.width() && y < plan.height() &&
                            lowest < top[static_cast<size_t>(y) * plan.width() + x] + 1.0f) {
                            walls.at(x, y) = 1.0f;
                        }
                    }
                }
            }
        }
    }
    blendMask(plan, walls, 0, 0, glm::vec3(0.85f), 0.9f);
}

void dot(Image& plan, glm::vec2 at, float radius, glm::vec3 colour) {
    Mask mask(plan.width(), plan.height());
    std::vector<glm::vec2> circle;
    for (int i = 0; i < 16; ++i) {
        const float a = 6.2831853f * i / 16.0f;
        circle.push_back(at + radius * glm::vec2(std::cos(a), std::sin(a)));
    }
    fillPolygon(mask, circle);
    blendMask(plan, mask.blurred(1), 0, 0, glm::vec3(0.0f), 0.8f);
    blendMask(plan, mask, 0, 0, colour, 1.0f);
}

void line(Image& plan, glm::vec2 a, glm::vec2 b, glm::vec3 colour) {
    const glm::vec2 d = b - a;
    const glm::vec2 n = glm::normalize(glm::vec2(-d.y, d.x)) * 1.2f;
    Mask mask(plan.width(), plan.height());
    fillPolygon(mask, {a + n, b + n, b - n, a - n});
    blendMask(plan, mask, 0, 0, colour, 1.0f);
}

void label(Image& plan, TextRenderer& font, const std::string& text, glm::vec2 centre) {
    const Mask mask = font.renderLine(text, 13, 3);
    const int left = static_cast<int>(centre.x) - mask.width() / 2;
    const int top = static_cast<int>(centre.y) - mask.height() / 2;
    darkenMask(plan, mask.blurred(2), left, top, 1.0f);
    blendMask(plan, mask, left, top, glm::vec3(1.0f), 1.0f);
}

std::string formatHeight(float y) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", static_cast<double>(y));
    return buffer;
}

}  // namespace

Image drawFloorPlan(const Mesh& level, const LevelLayout& layout, const LevelPlaces& places,
                    const std::string& fontDir) {
    glm::vec2 low(std::numeric_limits<float>::max()), high(-std::numeric_limits<float>::max());
    for (const MeshTriangle& t : level.triangles()) {
        for (const Corner& c : t.corners) {
            low = glm::min(low, glm::vec2(c.position.x, c.position.z));
            high = glm::max(high, glm::vec2(c.position.x, c.position.z));
        }
    }
    PlanFrame frame;
    frame.minX = low.x - kMargin;
    frame.minZ = low.y - kMargin;
    const int width = static_cast<int>((high.x - low.x + 2.0f * kMargin) * kPixelsPerUnit);
    const int height = static_cast<int>((high.y - low.y + 2.0f * kMargin) * kPixelsPerUnit);
    Image plan(width, height, glm::vec3(0.06f));
    std::vector<float> top(static_cast<size_t>(width) * height, -std::numeric_limits<float>::max());
    drawFloors(plan, top, level, frame);
    drawWalls(plan, top, level, frame);

    for (const LightCrystalPlacement& placement : places.lightCrystals) {
        const glm::vec3 crystal = placement.physicsPos();
        const glm::vec3 light = crystal + placement.physicsFacing();
        line(plan, frame.toPixel(crystal.x, crystal.z), frame.toPixel(light.x, light.z), {0.4f, 1.0f, 1.0f});
        dot(plan, frame.toPixel(crystal.x, crystal.z), 3.5f, {0.3f, 0.9f, 1.0f});
    }
    for (const glm::vec3& e : places.enemyBodyStarts) {
        dot(plan, frame.toPixel(e.x, e.z), 3.0f, {1.0f, 0.15f, 0.1f});
    }
    const glm::vec3 start = places.playerBodyStart;
    const glm::vec3 sword = places.swordPhysicsPos;
    const glm::vec3 goal = renderToPhysics(places.goalCrystalRenderPos);
    dot(plan, frame.toPixel(start.x, start.z), 5.0f, {0.2f, 1.0f, 0.3f});
    dot(plan, frame.toPixel(sword.x, sword.z), 4.0f, {1.0f, 0.95f, 0.2f});
    dot(plan, frame.toPixel(goal.x, goal.z), 5.0f, {1.0f, 0.3f, 1.0f});

    TextRenderer font(fontDir + "/DejaVuSans.ttf");
    if (font.ok()) {
        for (const Room& room : layout.rooms) {
            if (room.openSides != 0 || !room.ceiling) {
                continue;  // corridors and the pit: too small to name
            }
            const glm::vec2 centre = frame.toPixel(0.5f * (room.area.x0 + room.area.x1), room.area.z1 - 0.9f);
            label(plan, font, room.name + " " + formatHeight(room.floorAtMin), centre);
        }
    }
    return plan;
}

}  // namespace zarnhold_assets
