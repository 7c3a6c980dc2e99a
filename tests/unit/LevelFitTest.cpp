// The generated level checked against the places the game puts things at (physics frame,
// +y up): every enemy, the player and the goal over a floor, every light crystal on a
// wall with its light in open air, a walk from the start to the goal and to every room,
// walls all round, and few enough vertices for 16-bit indices.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <vector>

#include <glm/glm.hpp>

#include "LevelQuery.h"
#include "scene/ObjLoader.h"
#include "scene/Object3D.h"
#include "scene/VertexIndexer.h"

namespace {

// The game's placements (its enemy table, the player's start, the light crystals and the
// goal crystal turned from the render frame into the physics frame).
const glm::vec3 kPlayerStart(0.0f, 0.0f, 6.5f);
const glm::vec3 kGoalCrystal(-11.55f, -1.0f, -75.2f);

const glm::vec3 kEnemies[] = {
    {0.18f, 1.0f, -7.0f},     {-13.0f, -1.7f, -1.12f}, {-13.1f, -1.7f, 0.12f},  {-13.0f, -1.8f, 1.12f},
    {1.3f, -1.6f, -15.0f},    {0.3f, -1.6f, -16.0f},   {1.3f, -1.6f, -17.0f},   {1.3f, -1.6f, -14.0f},
    {0.3f, -1.6f, -13.0f},    {-1.3f, -1.6f, -15.0f},  {0.3f, -1.6f, -16.0f},   {-1.3f, -1.6f, -17.0f},
    {-1.3f, -1.6f, -13.0f},   {-1.3f, -1.6f, -15.0f},  {0.3f, -1.6f, -14.0f},   {18.0f, 0.0f, -24.0f},
    {17.0f, 0.0f, -28.0f},    {16.0f, 0.0f, -27.0f},   {15.0f, 0.0f, -26.0f},   {14.0f, 0.0f, -25.0f},
    {13.0f, 0.0f, -24.0f},    {14.0f, 0.0f, -23.0f},   {15.0f, 0.0f, -22.0f},   {16.0f, 0.0f, -28.0f},
    {17.0f, 0.0f, -27.0f},    {18.0f, 0.0f, -26.0f},   {16.0f, 0.0f, -25.0f},   {19.0f, 0.0f, -24.0f},
    {20.0f, 0.0f, -23.0f},    {21.0f, 0.0f, -22.0f},   {22.0f, 0.0f, -28.0f},   {13.0f, 0.0f, -27.0f},
    {14.0f, 0.0f, -26.0f},    {41.0f, -1.5f, -15.0f},  {38.0f, -1.48f, -10.0f}, {36.0f, -1.47f, -8.8f},
    {35.0f, -0.95f, -15.3f},  {48.0f, 6.0f, -27.0f},   {49.0f, 6.0f, -28.0f},   {50.0f, 6.0f, -29.0f},
    {51.0f, 6.0f, -26.0f},    {47.0f, 6.0f, -25.0f},   {46.0f, 6.0f, -24.0f},   {45.0f, 6.0f, -23.0f},
    {48.0f, -1.5f, -14.2f},   {48.5f, -1.5f, -15.2f},  {47.0f, -1.5f, -13.2f},  {47.5f, -1.5f, -12.2f},
    {46.5f, -1.5f, -16.2f},   {49.0f, -1.5f, -17.2f},  {48.5f, -1.5f, -14.2f},  {-9.7f, -1.68f, -25.2f},
    {-10.5f, -1.68f, -25.2f}, {-8.7f, -1.68f, -25.2f},
};

struct LightCrystal {
    glm::vec3 crystal;
    glm::vec3 facing;  // the light is one unit this way
};

const LightCrystal kLightCrystals[] = {
    {{-6.70f, 4.00f, -51.00f}, {-1, 0, 0}}, {{2.18f, 0.70f, 0.00f}, {-1, 0, 0}},
    {{-0.83f, 2.06f, -7.51f}, {1, 0, 0}},   {{2.25f, 0.00f, -15.00f}, {-1, 0, 0}},
    {{0.00f, -0.80f, -26.00f}, {0, 0, 1}},  {{24.00f, 2.20f, -25.00f}, {-1, 0, 0}},
    {{-15.15f, -0.60f, 0.00f}, {1, 0, 0}},  {{-11.60f, 0.60f, -76.60f}, {0, 0, 1}},
    {{50.80f, 1.00f, -15.00f}, {-1, 0, 0}}, {{52.46f, 9.00f, -26.00f}, {-1, 0, 0}},
};

constexpr float kEnemyHalfHeight = 0.4f;
constexpr float kPlayerHalfHeight = 0.5f;
// A body this far above the floor falls onto it unhurt and in the room it was meant for.
constexpr float kLargestSpawnDrop = 1.5f;

const glm::vec3 kDown(0.0f, -1.0f, 0.0f);

// Where the walk over the level's floors can go: a grid of standing places 0.25 apart,
// each a floor with 1.6 of headroom and no wall within 0.55 at knee or head height
// (doorways are at least 1.2 wide and 1.6 high); neighbours join when their floors differ
// by no more than a 0.3 step, so only ramps (no steeper than 30 degrees) climb.
class FloorWalk {
public:
    static constexpr float kSpacing = 0.25f;

    explicit FloorWalk(const LevelQuery& level) : level(level) {
        origin = glm::vec2(level.low().x, level.low().z);
        columnsX = static_cast<int>((level.high().x - origin.x) / kSpacing) + 1;
        columnsZ = static_cast<int>((level.high().z - origin.y) / kSpacing) + 1;
        for (int ix = 0; ix < columnsX; ++ix) {
            for (int iz = 0; iz < columnsZ; ++iz) {
                const glm::vec2 xz = columnCentre(ix, iz);
                for (float floor : level.floorsAt(xz.x, xz.y)) {
                    if (standable(glm::vec3(xz.x, floor, xz.y))) {
                        places[key(ix, iz)].push_back({floor, static_cast<int>(floors.size())});
                        floors.push_back(glm::vec3(xz.x, floor, xz.y));
                    }
                }
            }
        }
        reached.assign(floors.size(), false);
    }

    // Marks every place reachable from the floor just under `from`; false if there is none.
    bool walkFrom(glm::vec3 from) {
        const int start = placeUnder(from);
        if (start < 0) {
            return false;
        }
        std::deque<int> open = {start};
        reached[start] = true;
        while (!open.empty()) {
            const glm::vec3 p = floors[open.front()];
            open.pop_front();
            const int ix = static_cast<int>(std::lround((p.x - origin.x) / kSpacing - 0.5f));
            const int iz = static_cast<int>(std::lround((p.z - origin.y) / kSpacing - 0.5f));
            const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
            for (const auto& s : steps) {
                const auto column = places.find(key(ix + s[0], iz + s[1]));
                if (column == places.end()) {
                    continue;
                }
                for (const Place& next : column->second) {
                    if (!reached[next.index] && std::abs(next.floor - p.y) <= 0.3f) {
                        reached[next.index] = true;
                        open.push_back(next.index);
                    }
                }
            }
        }
        return true;
    }

    // Whether a standing place on the floor just under `point` (within 0.25 sideways) was reached.
    bool reachedUnder(glm::vec3 point) const {
        for (float dx : {0.0f, -kSpacing, kSpacing}) {
            for (float dz : {0.0f, -kSpacing, kSpacing}) {
                const int index = placeUnder(point + glm::vec3(dx, 0.0f, dz));
                if (index >= 0 && reached[index]) {
                    return true;
                }
            }
        }
        return false;
    }

    std::vector<glm::vec3> reachedPlaces() const {
        std::vector<glm::vec3> out;
        for (size_t i = 0; i < floors.size(); ++i) {
            if (reached[i]) {
                out.push_back(floors[i]);
            }
        }
        return out;
    }

private:
    struct Place {
        float floor;
        int index;
    };

    static long long key(int ix, int iz) { return static_cast<long long>(ix) * 100000 + iz; }

    glm::vec2 columnCentre(int ix, int iz) const {
        return origin + glm::vec2((ix + 0.5f) * kSpacing, (iz + 0.5f) * kSpacing);
    }

    bool standable(glm::vec3 floor) const {
        const LevelQuery::Hit above = level.castRay(floor + glm::vec3(0.0f, 0.02f, 0.0f), {0, 1, 0}, 1.6f);
        if (above.found) {
            return false;
        }
        const glm::vec3 across[4] = {{1, 0, 0}, {-1, 0, 0}, {0, 0, 1}, {0, 0, -1}};
        for (float height : {0.4f, 1.0f}) {
            for (const glm::vec3& d : across) {
                if (level.castRay(floor + glm::vec3(0.0f, height, 0.0f), d, 0.55f).found) {
                    return false;
                }
            }
        }
        return true;
    }

    // The standing place on the highest floor at or below `point` in its column, or -1.
    int placeUnder(glm::vec3 point) const {
        const int ix = static_cast<int>(std::floor((point.x - origin.x) / kSpacing));
        const int iz = static_cast<int>(std::floor((point.z - origin.y) / kSpacing));
        const auto column = places.find(key(ix, iz));
        int best = -1;
        float bestFloor = -1e9f;
        if (column != places.end()) {
            for (const Place& p : column->second) {
                if (p.floor <= point.y + 0.01f && p.floor > bestFloor) {
                    bestFloor = p.floor;
                    best = p.index;
                }
            }
        }
        return best;
    }

    const LevelQuery& level;
    glm::vec2 origin{0.0f};
    int columnsX = 0;
    int columnsZ = 0;
    std::map<long long, std::vector<Place>> places;
    std::vector<glm::vec3> floors;
    std::vector<bool> reached;
};

class LevelFit : public testing::Test {
protected:
    static void SetUpTestSuite() {
        object = new Object3D();
        testing::internal::CaptureStdout();
        readObjModel(*object, "External\\Models\\Levels\\Level1n.obj");
        testing::internal::GetCapturedStdout();
        level = new LevelQuery(object->triangles);
        walk = new FloorWalk(*level);
        startFound = walk->walkFrom(kPlayerStart);
    }
    static void TearDownTestSuite() {
        delete walk;
        delete level;
        delete object;
    }

    // The first surface straight below `point`: its height, and whether it is a floor.
    static bool floorBelow(glm::vec3 point, float& floorTop) {
        const LevelQuery::Hit hit = level->castRay(point, kDown, 100.0f);
        floorTop = point.y - hit.distance;
        return hit.found && hit.normal.y > 0.866f;
    }

    static Object3D* object;
    static LevelQuery* level;
    static FloorWalk* walk;
    static bool startFound;
};

Object3D* LevelFit::object = nullptr;
LevelQuery* LevelFit::level = nullptr;
FloorWalk* LevelFit::walk = nullptr;
bool LevelFit::startFound = false;

}  // namespace

TEST_F(LevelFit, ThePlayerStartsOnTheStartHallFloorAndTheSwordHoversOverIt) {
    float floorTop = 0.0f;
    ASSERT_TRUE(floorBelow(kPlayerStart, floorTop));
    const float feet = kPlayerStart.y - kPlayerHalfHeight;
    EXPECT_LE(floorTop, feet);
    EXPECT_GT(floorTop, feet - 0.1f);
    ASSERT_TRUE(floorBelow({0.0f, 0.5f, 0.0f}, floorTop));
    EXPECT_LT(floorTop, 0.2f);  // clear of the sword's hilt
    EXPECT_TRUE(startFound);
}

TEST_F(LevelFit, EveryEnemyStandsOverAFloorInsideARoomTheWalkReaches) {
    for (const glm::vec3& enemy : kEnemies) {
        float floorTop = 0.0f;
        ASSERT_TRUE(floorBelow(enemy, floorTop)) << enemy.x << " " << enemy.y << " " << enemy.z;
        const float feet = enemy.y - kEnemyHalfHeight;
        EXPECT_LT(floorTop, feet) << enemy.x << " " << enemy.y << " " << enemy.z;
        EXPECT_LT(feet - floorTop, kLargestSpawnDrop) << enemy.x << " " << enemy.y << " " << enemy.z;
        // A ceiling over its head: it is in a room, not outside the level.
        const LevelQuery::Hit above = level->castRay(enemy, {0, 1, 0}, 50.0f);
        EXPECT_TRUE(above.found && above.normal.y < -0.5f && above.distance > kEnemyHalfHeight)
            << enemy.x << " " << enemy.y << " " << enemy.z;
        EXPECT_TRUE(walk->reachedUnder(glm::vec3(enemy.x, floorTop + 0.01f, enemy.z)))
            << enemy.x << " " << enemy.y << " " << enemy.z;
    }
}

TEST_F(LevelFit, TheGoalCrystalStandsInReachAtEyeHeightOverTheGoalRoomFloor) {
    float floorTop = 0.0f;
    ASSERT_TRUE(floorBelow(kGoalCrystal, floorTop));
    EXPECT_NEAR(floorTop, -1.7f, 0.3f);
    EXPECT_GT(floorTop, -2.6f);
    EXPECT_LT(floorTop, -0.8f);
    EXPECT_TRUE(walk->reachedUnder(glm::vec3(kGoalCrystal.x, floorTop + 0.01f, kGoalCrystal.z)));
}

TEST_F(LevelFit, EveryLightCrystalHangsOnAWallWithItsLightInOpenAir) {
    int number = 1;
    for (const LightCrystal& c : kLightCrystals) {
        const LevelQuery::Hit behind = level->castRay(c.crystal, -c.facing, 0.3f);
        EXPECT_TRUE(behind.found) << "crystal " << number;
        // The wall faces into the room, the way the crystal looks.
        EXPECT_GT(glm::dot(behind.normal, c.facing), 0.9f) << "crystal " << number;
        EXPECT_GE(level->clearance(c.crystal + c.facing, 0.3f), 0.3f) << "light " << number;
        ++number;
    }
}

TEST_F(LevelFit, TheWalkFromTheStartCoversTheLevelAndWallsCloseItOnEverySide) {
    const std::vector<glm::vec3> reached = walk->reachedPlaces();
    // Far more than the start hall: the rooms of the enemies and the goal (checked above)
    // and the halls between them, some 800 square units clear of the walls.
    EXPECT_GT(reached.size() * FloorWalk::kSpacing * FloorWalk::kSpacing, 600.0f);
    // From places along the walk, every look meets a surface that faces back: the player
    // is inside, and nothing lets a ray (or a body) out of the world.
    const glm::vec3 looks[] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0},  {0, -1, 0},  {0, 0, 1},    {0, 0, -1},
                               {1, 1, 1}, {-1, 1, 1}, {1, 1, -1}, {-1, 1, -1}, {1, -1, 1},   {-1, -1, -1},
                               {2, 1, 0}, {0, 1, 2},  {-2, 1, 0}, {0, 1, -2},  {3, 0.2f, 1}, {-1, 0.2f, -3}};
    int escapes = 0;
    int backFaces = 0;
    for (size_t i = 0; i < reached.size(); i += 37) {
        const glm::vec3 eye = reached[i] + glm::vec3(0.0f, 0.7f, 0.0f);
        for (const glm::vec3& look : looks) {
            const glm::vec3 d = glm::normalize(look);
            const LevelQuery::Hit hit = level->castRay(eye, d, 300.0f);
            if (!hit.found) {
                ++escapes;
            } else if (glm::dot(hit.normal, d) >= 0.0f) {
                ++backFaces;
            }
        }
    }
    EXPECT_EQ(escapes, 0);
    EXPECT_EQ(backFaces, 0);
}

TEST_F(LevelFit, TheLevelWeldsToFewerVerticesThanSixteenBitIndicesAddress) {
    std::vector<glm::vec3> tangents, bitangents, weldedPositions, weldedNormals, weldedTangents,
        weldedBitangents;
    std::vector<glm::vec2> weldedUvs;
    std::vector<std::uint16_t> indices;
    const std::vector<glm::vec3> positions = object->cornerPositions();
    const std::vector<glm::vec2> uvs = object->cornerUvs();
    const std::vector<glm::vec3> normals = object->cornerNormals();
    computeTangents(positions, uvs, normals, tangents, bitangents);
    ASSERT_TRUE(weldVertices(positions, uvs, normals, tangents, bitangents, indices, weldedPositions,
                             weldedUvs, weldedNormals, weldedTangents, weldedBitangents));
    EXPECT_LE(weldedPositions.size(), kMaxWeldedVertices);
    EXPECT_EQ(indices.size(), positions.size());
    // Every tangent is finite: no face has texture coordinates of no area.
    for (const glm::vec3& t : tangents) {
        ASSERT_TRUE(std::isfinite(t.x) && std::isfinite(t.y) && std::isfinite(t.z));
    }
}

// An edge that no other face shares ends a surface. Where a corner of another face lies
// part-way along such an edge (a T-junction), the two surfaces meet with mismatched
// corners, and hairline cracks open along the edge when it is drawn, through which the
// dark beyond the walls shows.
TEST_F(LevelFit, NoCornerLiesPartWayAlongAnEdgeWhereASurfaceEnds) {
    const std::vector<glm::vec3> corners = object->cornerPositions();
    auto less = [](const glm::vec3& a, const glm::vec3& b) {
        return a.x != b.x ? a.x < b.x : a.y != b.y ? a.y < b.y : a.z < b.z;
    };
    std::map<std::pair<std::array<float, 3>, std::array<float, 3>>, int> edgeUses;
    auto key = [&](glm::vec3 a, glm::vec3 b) {
        if (less(b, a)) std::swap(a, b);
        return std::make_pair(std::array<float, 3>{a.x, a.y, a.z}, std::array<float, 3>{b.x, b.y, b.z});
    };
    for (std::size_t t = 0; t + 2 < corners.size(); t += 3) {
        for (int e = 0; e < 3; ++e) ++edgeUses[key(corners[t + e], corners[t + (e + 1) % 3])];
    }
    std::vector<glm::vec3> points = corners;
    std::sort(points.begin(), points.end(), less);
    points.erase(std::unique(points.begin(), points.end()), points.end());
    int junctions = 0;
    for (const auto& [edge, uses] : edgeUses) {
        if (uses > 1) continue;
        const glm::vec3 a(edge.first[0], edge.first[1], edge.first[2]);
        const glm::vec3 along = glm::vec3(edge.second[0], edge.second[1], edge.second[2]) - a;
        const float lengthSquared = glm::dot(along, along);
        for (const glm::vec3& p : points) {
            const float s = glm::dot(p - a, along) / lengthSquared;
            if (s <= 1e-3f || s >= 1.0f - 1e-3f || glm::length(a + s * along - p) >= 1e-3f) continue;
            if (++junctions <= 100) {
                const glm::vec3 b = a + along;
                ADD_FAILURE() << "(" << p.x << ", " << p.y << ", " << p.z << ") lies on the edge from (" << a.x
                              << ", " << a.y << ", " << a.z << ") to (" << b.x << ", " << b.y << ", " << b.z << ")";
            }
        }
    }
    EXPECT_EQ(junctions, 0);
}
