#include "tools/level/LevelBuilder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "tools/meshes/Solids.h"
#include "tools/meshes/TJunctions.h"

namespace zarnhold_assets {

namespace {

constexpr float kUnitsPerRepeat = 2.0f;
constexpr float kEpsilon = 1e-4f;

// Door frames: jambs and lintel this wide and standing this far out of the wall.
constexpr float kFrameWidth = 0.3f;
constexpr float kFrameDepth = 0.2f;
// Buttresses: this wide and deep, on a plinth.
constexpr float kButtressHalfWidth = 0.25f;
constexpr float kButtressDepth = 0.35f;
// Beams under the ceiling.
constexpr float kBeamHalfWidth = 0.2f;
constexpr float kBeamDepth = 0.45f;

bool same(float a, float b) {
    return std::abs(a - b) < kEpsilon;
}

bool isXWall(Side side) {
    return side == Side::MinX || side == Side::MaxX;
}

Side opposite(Side side) {
    switch (side) {
        case Side::MinX: return Side::MaxX;
        case Side::MaxX: return Side::MinX;
        case Side::MinZ: return Side::MaxZ;
        case Side::MaxZ: break;
    }
    return Side::MinZ;
}

// The wall's plane coordinate (x for x walls, z for z walls).
float wallPlane(const Room& room, Side side) {
    switch (side) {
        case Side::MinX: return room.area.x0;
        case Side::MaxX: return room.area.x1;
        case Side::MinZ: return room.area.z0;
        case Side::MaxZ: break;
    }
    return room.area.z1;
}

// The inward normal of a wall: walls face into their room.
glm::vec3 inward(Side side) {
    switch (side) {
        case Side::MinX: return {1.0f, 0.0f, 0.0f};
        case Side::MaxX: return {-1.0f, 0.0f, 0.0f};
        case Side::MinZ: return {0.0f, 0.0f, 1.0f};
        case Side::MaxZ: break;
    }
    return {0.0f, 0.0f, -1.0f};
}

// The range a wall spans along itself: z for x walls, x for z walls.
void wallSpan(const Room& room, Side side, float& u0, float& u1) {
    u0 = isXWall(side) ? room.area.z0 : room.area.x0;
    u1 = isXWall(side) ? room.area.z1 : room.area.x1;
}

// A point on a wall, from the distance u along it and the height y.
glm::vec3 wallPoint(const Room& room, Side side, float u, float y) {
    const float c = wallPlane(room, side);
    return isXWall(side) ? glm::vec3(c, y, u) : glm::vec3(u, y, c);
}

float floorUnderWall(const Room& room, Side side, float u) {
    const glm::vec3 p = wallPoint(room, side, u, 0.0f);
    return room.floorAt(p.x, p.z);
}

void sortUnique(std::vector<float>& values) {
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end(), same), values.end());
}

bool insideRect(const Rect& r, float x, float z) {
    return x > r.x0 - kEpsilon && x < r.x1 + kEpsilon && z > r.z0 - kEpsilon && z < r.z1 + kEpsilon;
}

// A box standing against a wall: `along` the wall, `out` of it into the room, `low`..`high` up.
void wallBox(Mesh& mesh, const Room& room, Side side, float u0, float u1, float out, float low, float high,
             unsigned faces) {
    const glm::vec3 a = wallPoint(room, side, u0, low);
    const glm::vec3 b = wallPoint(room, side, u1, high) + inward(side) * out;
    addBox(mesh, glm::min(a, b), glm::max(a, b), faces, kUnitsPerRepeat);
}

// The box faces of a block against a wall, less the one touching the wall.
unsigned facesOffWall(Side side) {
    switch (side) {
        case Side::MinX: return kAllFaces & ~kFaceMinX;
        case Side::MaxX: return kAllFaces & ~kFaceMaxX;
        case Side::MinZ: return kAllFaces & ~kFaceMinZ;
        case Side::MaxZ: break;
    }
    return kAllFaces & ~kFaceMaxZ;
}

}  // namespace

LevelBuilder::LevelBuilder(const LevelLayout& layout, const LevelPlaces& places)
    : layout(layout),
      places(places),
      openings(layout.rooms.size()),
      xBreaks(layout.rooms.size()),
      zBreaks(layout.rooms.size()) {}

Mesh LevelBuilder::build() {
    mesh = Mesh();
    cutDoorways();
    collectBreaks();
    const Side sides[] = {Side::MinX, Side::MaxX, Side::MinZ, Side::MaxZ};
    for (size_t i = 0; i < layout.rooms.size(); ++i) {
        addFloor(i);
        addCeiling(i);
        for (Side side : sides) {
            addWall(i, side);
            addDoorFrames(i, side);
            addButtresses(i, side);
        }
        addBeams(i);
    }
    addSolids();
    return mesh;
}

// Every open end of a corridor becomes a doorway of the corridor's cross-section in the
// wall of the room it meets; two open ends that meet need nothing.
void LevelBuilder::cutDoorways() {
    const Side sides[] = {Side::MinX, Side::MaxX, Side::MinZ, Side::MaxZ};
    for (const Room& room : layout.rooms) {
        for (Side side : sides) {
            if ((room.openSides & sideBit(side)) == 0) {
                continue;
            }
            float u0, u1;
            wallSpan(room, side, u0, u1);
            const float plane = wallPlane(room, side);
            const glm::vec3 end = wallPoint(room, side, 0.5f * (u0 + u1), 0.0f);
            const float floor = room.floorAt(end.x, end.z);
            bool met = false;
            for (size_t j = 0; j < layout.rooms.size(); ++j) {
                const Room& other = layout.rooms[j];
                const Side facing = opposite(side);
                float v0, v1;
                wallSpan(other, facing, v0, v1);
                if (&other == &room || !same(wallPlane(other, facing), plane) || u0 < v0 - kEpsilon ||
                    u1 > v1 + kEpsilon) {
                    continue;
                }
                met = true;
                if ((other.openSides & sideBit(facing)) == 0) {
                    openings[j][static_cast<size_t>(facing)].push_back({u0, u1, floor, floor + room.height});
                }
            }
            if (!met) {
                std::printf("Level layout: the %s's open end leads nowhere\n", room.name.c_str());
            }
        }
    }
}

// Floors, ceilings and walls of a room are split at every doorway edge and hole edge, so
// that where surfaces meet they share corners: no cracks for the background to show through.
void LevelBuilder::collectBreaks() {
    for (size_t i = 0; i < layout.rooms.size(); ++i) {
        const Room& room = layout.rooms[i];
        std::vector<float>& xs = xBreaks[i];
        std::vector<float>& zs = zBreaks[i];
        xs = {room.area.x0, room.area.x1};
        zs = {room.area.z0, room.area.z1};
        for (Side side : {Side::MinX, Side::MaxX, Side::MinZ, Side::MaxZ}) {
            for (const Opening& o : openings[i][static_cast<size_t>(side)]) {
                std::vector<float>& along = isXWall(side) ? zs : xs;
                along.push_back(o.u0);
                along.push_back(o.u1);
            }
        }
        for (const Rect& hole : room.floorHoles) {
            xs.insert(xs.end(), {hole.x0, hole.x1});
            zs.insert(zs.end(), {hole.z0, hole.z1});
        }
        // Solids whose tops are flush with this floor (the bridge) meet it edge to edge.
        for (const Solid& solid : layout.solids) {
            const bool flush =
                same(solid.topAtStart, room.floorAtMin) && same(solid.topAtEnd, room.floorAtMin);
            const bool over = solid.low.x < room.area.x1 && solid.high.x > room.area.x0 &&
                              solid.low.z < room.area.z1 && solid.high.z > room.area.z0;
            if (flush && over && room.slope == Slope::None) {
                xs.insert(xs.end(), {solid.low.x, solid.high.x});
                zs.insert(zs.end(), {solid.low.z, solid.high.z});
            }
        }
        // Solids that stand against a wall up to its top: the wall is split where they end,
        // so that the part they hide can be left out.
        for (const Solid& solid : layout.solids) {
            const float top = std::min(solid.topAtStart, solid.topAtEnd);
            const Rect& a = room.area;
            const bool inside = solid.low.x < a.x1 + kEpsilon && solid.high.x > a.x0 - kEpsilon &&
                                solid.low.z < a.z1 + kEpsilon && solid.high.z > a.z0 - kEpsilon;
            if (!inside || room.slope != Slope::None || !same(top, room.floorAtMin + room.height)) continue;
            const bool againstZWall = same(solid.low.z, a.z0) || same(solid.high.z, a.z1);
            const bool againstXWall = same(solid.low.x, a.x0) || same(solid.high.x, a.x1);
            if (againstZWall) xs.insert(xs.end(), {solid.low.x, solid.high.x});
            if (againstXWall) zs.insert(zs.end(), {solid.low.z, solid.high.z});
        }
        // Keep only breaks inside the room.
        auto outside = [](float lo, float hi) {
            return [lo, hi](float v) { return v < lo - kEpsilon || v > hi + kEpsilon; };
        };
        xs.erase(std::remove_if(xs.begin(), xs.end(), outside(room.area.x0, room.area.x1)), xs.end());
        zs.erase(std::remove_if(zs.begin(), zs.end(), outside(room.area.z0, room.area.z1)), zs.end());
        sortUnique(xs);
        sortUnique(zs);
    }
}

void LevelBuilder::addFloor(size_t index) {
    const Room& room = layout.rooms[index];
    if (!room.floor) {
        return;
    }
    const std::vector<float>& xs = xBreaks[index];
    const std::vector<float>& zs = zBreaks[index];
    for (size_t a = 0; a + 1 < xs.size(); ++a) {
        for (size_t b = 0; b + 1 < zs.size(); ++b) {
            const float cx = 0.5f * (xs[a] + xs[a + 1]);
            const float cz = 0.5f * (zs[b] + zs[b + 1]);
            const bool inHole = std::any_of(room.floorHoles.begin(), room.floorHoles.end(),
                                            [&](const Rect& hole) { return insideRect(hole, cx, cz); });
            if (inHole) {
                continue;
            }
            auto at = [&](float x, float z) { return glm::vec3(x, room.floorAt(x, z), z); };
            addFace(mesh,
                    {at(xs[a], zs[b]), at(xs[a + 1], zs[b]), at(xs[a + 1], zs[b + 1]), at(xs[a], zs[b + 1])},
                    {0.0f, 1.0f, 0.0f}, kUnitsPerRepeat);
        }
    }
}

void LevelBuilder::addCeiling(size_t index) {
    const Room& room = layout.rooms[index];
    if (!room.ceiling) {
        return;
    }
    const std::vector<float>& xs = xBreaks[index];
    const std::vector<float>& zs = zBreaks[index];
    for (size_t a = 0; a + 1 < xs.size(); ++a) {
        for (size_t b = 0; b + 1 < zs.size(); ++b) {
            auto at = [&](float x, float z) { return glm::vec3(x, room.floorAt(x, z) + room.height, z); };
            addFace(mesh,
                    {at(xs[a], zs[b]), at(xs[a + 1], zs[b]), at(xs[a + 1], zs[b + 1]), at(xs[a], zs[b + 1])},
                    {0.0f, -1.0f, 0.0f}, kUnitsPerRepeat);
        }
    }
}

namespace {

// Joins two upright edges of a wall column, each split at its own heights (ascending,
// from 0 to the top), with triangles that use every split point once, bottom to top: so
// the column shares exactly the corners of whatever meets each of its edges, and no
// crack opens along an edge that has corners the other lacks.
void zipColumn(Mesh& mesh, const Room& room, Side side, float ua, float ub, float bottomA, float bottomB,
               const std::vector<float>& ysA, const std::vector<float>& ysB) {
    auto a = [&](size_t i) { return wallPoint(room, side, ua, bottomA + ysA[i]); };
    auto b = [&](size_t j) { return wallPoint(room, side, ub, bottomB + ysB[j]); };
    size_t i = 0, j = 0;
    while (i + 1 < ysA.size() || j + 1 < ysB.size()) {
        const bool climbA = j + 1 == ysB.size() || (i + 1 < ysA.size() && ysA[i + 1] <= ysB[j + 1]);
        if (climbA) {
            addFace(mesh, {a(i), b(j), a(i + 1)}, inward(side), kUnitsPerRepeat);
            ++i;
        } else {
            addFace(mesh, {a(i), b(j), b(j + 1)}, inward(side), kUnitsPerRepeat);
            ++j;
        }
    }
}

// The heights in [from, to] among `ys`, with both ends.
std::vector<float> heightsBetween(const std::vector<float>& ys, float from, float to) {
    std::vector<float> kept = {from, to};
    for (float y : ys) {
        if (y > from + kEpsilon && y < to - kEpsilon) kept.push_back(y);
    }
    sortUnique(kept);
    return kept;
}

}  // namespace

// A wall as columns between the room's breaks. Each edge of a column is split at the
// heights of the doorway it borders, and a column over a doorway leaves out the part the
// doorway takes.
void LevelBuilder::addWall(size_t index, Side side) {
    const Room& room = layout.rooms[index];
    if (room.openSides & sideBit(side)) {
        return;
    }
    const std::vector<Opening>& holes = openings[index][static_cast<size_t>(side)];
    const std::vector<float>& us = isXWall(side) ? zBreaks[index] : xBreaks[index];
    for (size_t c = 0; c + 1 < us.size(); ++c) {
        const float ua = us[c];
        const float ub = us[c + 1];
        const float bottomA = floorUnderWall(room, side, ua);
        const float bottomB = floorUnderWall(room, side, ub);
        const bool level = same(bottomA, bottomB);
        std::vector<float> ysA, ysB;  // heights above the floor where each edge is split
        const Opening* cut = nullptr;
        for (const Opening& o : holes) {
            const bool covers = o.u0 < ua + kEpsilon && o.u1 > ub - kEpsilon;
            if (covers) {
                cut = &o;
            }
            if (!level) continue;
            if (covers || same(o.u1, ua)) ysA.insert(ysA.end(), {o.y0 - bottomA, o.y1 - bottomA});
            if (covers || same(o.u0, ub)) ysB.insert(ysB.end(), {o.y0 - bottomA, o.y1 - bottomA});
        }
        if (cut != nullptr && !level) {
            std::printf("Level layout: a doorway in a sloping wall of the %s is not cut\n",
                        room.name.c_str());
            cut = nullptr;
        }
        const float top = room.height;
        if (cut == nullptr) {
            // The top of a wall behind a solid that reaches it (the bridge's ends against the
            // chasm) is left out: hidden, and its top edge would be a third face on the seam
            // of the floor above, one the player's box catches on.
            const float shown = level ? hiddenFrom(room, side, ua, ub, bottomA + top) - bottomA : top;
            zipColumn(mesh, room, side, ua, ub, bottomA, bottomB, heightsBetween(ysA, 0.0f, shown),
                      heightsBetween(ysB, 0.0f, shown));
            continue;
        }
        // Below the doorway (a sill) and above it (a lintel). A sill behind a solid that
        // fills the room up to the doorway (a landing) is left out: hidden, and its top edge
        // would be a third face on the threshold, one the player's box catches on.
        const float y0 = std::max(0.0f, cut->y0 - bottomA);
        const float y1 = std::min(top, cut->y1 - bottomA);
        if (y0 > kEpsilon && hiddenFrom(room, side, ua, ub, bottomA + y0) > bottomA + kEpsilon) {
            zipColumn(mesh, room, side, ua, ub, bottomA, bottomB, heightsBetween(ysA, 0.0f, y0),
                      heightsBetween(ysB, 0.0f, y0));
        }
        if (y1 < top - kEpsilon) {
            zipColumn(mesh, room, side, ua, ub, bottomA, bottomB, heightsBetween(ysA, y1, top),
                      heightsBetween(ysB, y1, top));
        }
    }
}

// Jambs either side of each doorway and a lintel over it, standing out of the wall.
void LevelBuilder::addDoorFrames(size_t index, Side side) {
    const Room& room = layout.rooms[index];
    if (!room.doorFrames) {
        return;
    }
    float wall0, wall1;
    wallSpan(room, side, wall0, wall1);
    const unsigned faces = facesOffWall(side);
    for (const Opening& o : openings[index][static_cast<size_t>(side)]) {
        const float floor = floorUnderWall(room, side, o.u0);
        const float ceiling = floor + room.height;
        const float lintelTop = std::min(o.y1 + kFrameWidth, ceiling);
        const bool lintel = lintelTop > o.y1 + 0.05f;
        // A doorway above the floor (a window, a door onto a landing) gets a sill as well.
        const float left = std::max(wall0, o.u0 - kFrameWidth);
        const float right = std::min(wall1, o.u1 + kFrameWidth);
        const glm::vec3 below0 = wallPoint(room, side, left, o.y0 - 0.3f);
        const glm::vec3 below1 = wallPoint(room, side, right, o.y0 - 0.01f) + inward(side) * kFrameDepth;
        const bool onSolid = clashesWithSolid(glm::min(below0, below1), glm::max(below0, below1));
        const bool raised = o.y0 > floor + 0.3f && !onSolid;
        const unsigned jambFaces = faces & ~(raised ? 0u : kFaceMinY) & ~(lintel ? kFaceMaxY : 0u);
        if (left < o.u0 - kEpsilon) {
            wallBox(mesh, room, side, left, o.u0, kFrameDepth, o.y0, o.y1, jambFaces);
        }
        if (right > o.u1 + kEpsilon) {
            wallBox(mesh, room, side, o.u1, right, kFrameDepth, o.y0, o.y1, jambFaces);
        }
        if (lintel) {
            const unsigned lintelFaces = faces & ~(same(lintelTop, ceiling) ? kFaceMaxY : 0u);
            wallBox(mesh, room, side, left, right, kFrameDepth, o.y1, lintelTop, lintelFaces);
        }
        if (raised) {
            wallBox(mesh, room, side, left, right, kFrameDepth + 0.05f, o.y0 - 0.18f, o.y0, faces);
        }
    }
}

// Half-pillars along a wall at even spacing, leaving doorways, light crystals, corners
// and solid pieces clear.
void LevelBuilder::addButtresses(size_t index, Side side) {
    const Room& room = layout.rooms[index];
    if (!room.buttresses || (room.openSides & sideBit(side)) || room.slope != Slope::None) {
        return;
    }
    float wall0, wall1;
    wallSpan(room, side, wall0, wall1);
    const float length = wall1 - wall0;
    const int count = std::max(1, static_cast<int>(std::lround(length / room.buttressSpacing)));
    const float floor = room.floorAtMin;
    const float ceiling = floor + room.height;
    const unsigned faces = facesOffWall(side) & ~kFaceMinY & ~kFaceMaxY;
    for (int i = 1; i < count; ++i) {
        const float u = wall0 + length * i / count;
        bool clear = u - wall0 > 0.8f && wall1 - u > 0.8f;
        for (const Opening& o : openings[index][static_cast<size_t>(side)]) {
            clear = clear && (u + kButtressHalfWidth < o.u0 - kFrameWidth - 0.3f ||
                              u - kButtressHalfWidth > o.u1 + kFrameWidth + 0.3f);
        }
        for (const LightCrystalPlacement& placement : places.lightCrystals) {
            const glm::vec3 crystal = placement.physicsPos();
            const glm::vec3 onWall = wallPoint(room, side, u, crystal.y);
            clear = clear && glm::length(crystal - onWall) > 1.6f;
        }
        const glm::vec3 a = wallPoint(room, side, u - 0.45f, floor);
        const glm::vec3 b = wallPoint(room, side, u + 0.45f, ceiling) + inward(side) * 0.5f;
        clear = clear && !clashesWithSolid(glm::min(a, b), glm::max(a, b));
        if (!clear) {
            continue;
        }
        wallBox(mesh, room, side, u - kButtressHalfWidth, u + kButtressHalfWidth, kButtressDepth, floor,
                ceiling, faces);
        wallBox(mesh, room, side, u - 0.35f, u + 0.35f, kButtressDepth + 0.12f, floor, floor + 0.5f,
                facesOffWall(side) & ~kFaceMinY);
    }
}

// Beams across the room under the ceiling, at the buttresses of its long walls.
void LevelBuilder::addBeams(size_t index) {
    const Room& room = layout.rooms[index];
    if (!room.buttresses || !room.ceiling || room.slope != Slope::None) {
        return;
    }
    const Rect& a = room.area;
    const bool longAlongX = (a.x1 - a.x0) >= (a.z1 - a.z0);
    const float length = longAlongX ? a.x1 - a.x0 : a.z1 - a.z0;
    const int count = std::max(1, static_cast<int>(std::lround(length / room.buttressSpacing)));
    const float ceiling = room.floorAtMin + room.height;
    for (int i = 1; i < count; ++i) {
        const float u = (longAlongX ? a.x0 : a.z0) + length * i / count;
        if (longAlongX) {
            addBox(mesh, {u - kBeamHalfWidth, ceiling - kBeamDepth, a.z0},
                   {u + kBeamHalfWidth, ceiling, a.z1}, kFaceMinX | kFaceMaxX | kFaceMinY, kUnitsPerRepeat);
        } else {
            addBox(mesh, {a.x0, ceiling - kBeamDepth, u - kBeamHalfWidth},
                   {a.x1, ceiling, u + kBeamHalfWidth}, kFaceMinZ | kFaceMaxZ | kFaceMinY, kUnitsPerRepeat);
        }
    }
}

void LevelBuilder::addSolids() {
    for (const Solid& solid : layout.solids) {
        addWedge(mesh, solid.low, solid.high, solid.topAtStart, solid.topAtEnd, solid.alongX, solid.faces,
                 kUnitsPerRepeat);
    }
}

float LevelBuilder::hiddenFrom(const Room& room, Side side, float u0, float u1, float top) const {
    const glm::vec3 a = wallPoint(room, side, u0, top);
    const glm::vec3 b = wallPoint(room, side, u1, top) + inward(side) * 0.01f;
    const glm::vec3 low = glm::min(a, b), high = glm::max(a, b);
    float from = top;
    for (const Solid& solid : layout.solids) {
        const bool covers = solid.low.x < low.x + kEpsilon && solid.high.x > high.x - kEpsilon &&
                            solid.low.z < low.z + kEpsilon && solid.high.z > high.z - kEpsilon;
        if (covers && std::min(solid.topAtStart, solid.topAtEnd) > top - kEpsilon) {
            from = std::min(from, solid.low.y);
        }
    }
    return from;
}

bool LevelBuilder::clashesWithSolid(glm::vec3 low, glm::vec3 high) const {
    for (const Solid& solid : layout.solids) {
        const float top = std::max(solid.topAtStart, solid.topAtEnd);
        if (low.x < solid.high.x && high.x > solid.low.x && low.z < solid.high.z && high.z > solid.low.z &&
            low.y < top && high.y > solid.low.y) {
            return true;
        }
    }
    return false;
}

Mesh buildLevel() {
    LevelBuilder builder(zarnholdLayout(), levelPlaces());
    return closeTJunctions(builder.build());
}

}  // namespace zarnhold_assets
