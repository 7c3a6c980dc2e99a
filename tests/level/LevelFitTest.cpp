// The generated level checked against the places the game puts things at (physics frame,
// +y up): every enemy, the player and the goal over a floor, every light crystal on a
// wall with its light in open air, a walk from the start to the goal and to every room,
// walls all round, and few enough vertices for 16-bit indices.
#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <vector>

#include <glm/glm.hpp>
#include <gtest/gtest.h>

#include "render/LightCrystal.h"
#include "run/LevelPlaces.h"
#include "scene/ObjLoader.h"
#include "scene/Object3D.h"
#include "scene/VertexIndexer.h"
#include "tests/LevelQuery.h"

using namespace zarnhold;

namespace {

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
        startFound = walk->walkFrom(levelPlaces().playerBodyStart);
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
    const glm::vec3 start = levelPlaces().playerBodyStart;
    float floorTop = 0.0f;
    ASSERT_TRUE(floorBelow(start, floorTop));
    const float feet = start.y - kPlayerHalfHeight;
    EXPECT_LE(floorTop, feet);
    EXPECT_GT(floorTop, feet - 0.1f);
    ASSERT_TRUE(floorBelow(levelPlaces().swordPhysicsPos, floorTop));
    EXPECT_LT(floorTop, 0.2f);  // clear of the sword's hilt
    EXPECT_TRUE(startFound);
}

TEST_F(LevelFit, EveryEnemyStandsOverAFloorInsideARoomTheWalkReaches) {
    for (const glm::vec3& enemy : levelPlaces().enemyBodyStarts) {
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
    const glm::vec3 goal = renderToPhysics(levelPlaces().goalCrystalRenderPos);
    float floorTop = 0.0f;
    ASSERT_TRUE(floorBelow(goal, floorTop));
    EXPECT_NEAR(floorTop, -1.7f, 0.3f);
    EXPECT_GT(floorTop, -2.6f);
    EXPECT_LT(floorTop, -0.8f);
    EXPECT_TRUE(walk->reachedUnder(glm::vec3(goal.x, floorTop + 0.01f, goal.z)));
}

TEST_F(LevelFit, EveryLightCrystalHangsOnAWallWithItsLightInOpenAir) {
    int number = 1;
    for (const LightCrystalPlacement& placement : levelPlaces().lightCrystals) {
        const glm::vec3 crystal = placement.physicsPos();
        const glm::vec3 facing = placement.physicsFacing();
        const LevelQuery::Hit behind = level->castRay(crystal, -facing, 0.3f);
        EXPECT_TRUE(behind.found) << "crystal " << number;
        // The wall faces into the room, the way the crystal looks.
        EXPECT_GT(glm::dot(behind.normal, facing), 0.9f) << "crystal " << number;
        // Where the game puts the light, not where the crystal's facing suggests.
        const glm::vec3 light =
            renderToPhysics(crystalLightPosition(placement.renderPos, placement.angleRadians));
        EXPECT_GE(level->clearance(light, 0.3f), 0.3f) << "light " << number;
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
                ADD_FAILURE() << "(" << p.x << ", " << p.y << ", " << p.z << ") lies on the edge from ("
                              << a.x << ", " << a.y << ", " << a.z << ") to (" << b.x << ", " << b.y << ", "
                              << b.z << ")";
            }
        }
    }
    EXPECT_EQ(junctions, 0);
}
