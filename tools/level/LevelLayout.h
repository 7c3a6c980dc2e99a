#pragma once

#include <string>
#include <vector>

#include <glm/glm.hpp>

namespace zarnhold_assets {

// The dungeon as data: a table of rooms and the solid pieces that stand in them. The
// builder turns it into one mesh. All numbers are in the physics frame (+y up).

enum class Side { MinX, MaxX, MinZ, MaxZ };

constexpr unsigned sideBit(Side side) {
    return 1u << static_cast<unsigned>(side);
}

// Which way a room's floor (and with it its ceiling) climbs.
enum class Slope { None, AlongX, AlongZ };

struct Rect {
    float x0 = 0.0f, x1 = 0.0f, z0 = 0.0f, z1 = 0.0f;
};

// An axis-aligned room: floor, ceiling and four walls, all facing inwards. A corridor is
// a narrow room whose ends are open sides; each open end cuts a doorway of its own
// cross-section into the room it meets.
struct Room {
    std::string name;
    Rect area;
    float floorAtMin = 0.0f;  // floor top at the low-coordinate end (x0 or z0)
    float floorAtMax = 0.0f;  // at the other end; equal to floorAtMin unless sloped
    float height = 3.0f;      // floor to ceiling, everywhere
    Slope slope = Slope::None;
    unsigned openSides = 0;   // sideBit()s of ends that open fully into a neighbour
    bool ceiling = true;      // false for a pit under a hole in the floor above
    bool floor = true;        // false for a bottomless pit: its walls end at floorAtMin
    bool buttresses = false;  // half-pillars along the walls, beams under the ceiling
    float buttressSpacing = 4.0f;
    bool doorFrames = true;  // stone frames around the doorways cut into this room
    std::vector<Rect> floorHoles;

    // Floor top at (x, z), following the slope.
    float floorAt(float x, float z) const;
};

// A solid piece: an axis-aligned box or, when topAtStart != topAtEnd, a ramp whose top
// climbs along x or z. Faces that stand against a wall or the floor are left out.
struct Solid {
    std::string name;
    glm::vec3 low{0.0f};
    glm::vec3 high{0.0f};
    float topAtStart = 0.0f;
    float topAtEnd = 0.0f;
    bool alongX = true;
    unsigned faces = 0;  // BoxFace bits
};

struct LevelLayout {
    std::vector<Room> rooms;
    std::vector<Solid> solids;
};

// The one level of the game.
const LevelLayout& zarnholdLayout();

}  // namespace zarnhold_assets
