#pragma once

#include <array>
#include <vector>

#include "run/LevelPlaces.h"
#include "tools/level/LevelLayout.h"
#include "tools/meshes/Mesh.h"

namespace zarnhold_assets {

// The game's own types and tables, which the generator builds around.
using namespace zarnhold;

// Turns the room table into the level mesh: every room's floor, ceiling and walls wound
// to be seen from inside, doorways cut where corridors meet rooms, and the solid pieces
// (ramps, pillars, door frames, buttresses, beams) wound to be seen from outside.
// Texture coordinates are in world units, one repeat per two units.
class LevelBuilder {
public:
    LevelBuilder(const LevelLayout& layout, const LevelPlaces& places);

    Mesh build();

private:
    // A hole in one wall: [u0, u1] along the wall, [y0, y1] in height.
    struct Opening {
        float u0 = 0.0f, u1 = 0.0f, y0 = 0.0f, y1 = 0.0f;
    };
    using SideOpenings = std::array<std::vector<Opening>, 4>;

    void cutDoorways();
    void collectBreaks();
    void addFloor(size_t room);
    void addCeiling(size_t room);
    void addWall(size_t room, Side side);
    void addDoorFrames(size_t room, Side side);
    void addButtresses(size_t room, Side side);
    void addBeams(size_t room);
    void addSolids();

    // Whether a pillar-like block standing in `room` would clash with a solid piece.
    bool clashesWithSolid(glm::vec3 low, glm::vec3 high) const;
    // The height from which a solid piece standing against the wall over [u0, u1] up to
    // `top` (or higher) hides the wall up to `top`; `top` where none does.
    float hiddenFrom(const Room& room, Side side, float u0, float u1, float top) const;

    const LevelLayout& layout;
    const LevelPlaces& places;
    std::vector<SideOpenings> openings;       // per room, per side
    std::vector<std::vector<float>> xBreaks;  // per room: where floor, ceiling and
    std::vector<std::vector<float>> zBreaks;  // walls are split so edges meet corner to corner
    Mesh mesh;
};

// The level of the game, built from zarnholdLayout() around levelPlaces().
Mesh buildLevel();

}  // namespace zarnhold_assets
