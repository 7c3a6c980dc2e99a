#include "tools/level/LevelLayout.h"

#include "tools/meshes/Solids.h"

namespace zarnhold_assets {

float Room::floorAt(float x, float z) const {
    switch (slope) {
        case Slope::AlongX:
            return floorAtMin + (floorAtMax - floorAtMin) * (x - area.x0) / (area.x1 - area.x0);
        case Slope::AlongZ:
            return floorAtMin + (floorAtMax - floorAtMin) * (z - area.z0) / (area.z1 - area.z0);
        case Slope::None: break;
    }
    return floorAtMin;
}

namespace {

constexpr unsigned kOpenX = sideBit(Side::MinX) | sideBit(Side::MaxX);
constexpr unsigned kOpenZ = sideBit(Side::MinZ) | sideBit(Side::MaxZ);
constexpr unsigned kSides = kFaceMinX | kFaceMaxX | kFaceMinZ | kFaceMaxZ;

// A room with a level floor.
Room hall(const char* name, Rect area, float floor, float height) {
    Room room;
    room.name = name;
    room.area = area;
    room.floorAtMin = floor;
    room.floorAtMax = floor;
    room.height = height;
    return room;
}

enum class Run { AlongX, AlongZ };

// A corridor open at both ends of the axis it runs along; its floor runs from
// `floorAtMin` at the low-coordinate end to `floorAtMax` at the other.
Room passage(const char* name, Rect area, Run run, float floorAtMin, float floorAtMax, float height) {
    Room room = hall(name, area, floorAtMin, height);
    room.floorAtMax = floorAtMax;
    const bool alongX = run == Run::AlongX;
    room.openSides = alongX ? kOpenX : kOpenZ;
    if (floorAtMax != floorAtMin) {
        room.slope = alongX ? Slope::AlongX : Slope::AlongZ;
    }
    room.doorFrames = false;
    return room;
}

Room withButtresses(Room room, float spacing) {
    room.buttresses = true;
    room.buttressSpacing = spacing;
    return room;
}

Solid box(const char* name, glm::vec3 low, glm::vec3 high, unsigned faces) {
    Solid solid;
    solid.name = name;
    solid.low = low;
    solid.high = high;
    solid.topAtStart = high.y;
    solid.topAtEnd = high.y;
    solid.faces = faces;
    return solid;
}

// A square pillar from floor to ceiling, with a plinth and a capital.
void addPillar(std::vector<Solid>& solids, float x, float z, float floor, float ceiling) {
    const float shaft = 0.4f, foot = 0.55f, footHeight = 0.45f;
    solids.push_back(box("pillar", {x - shaft, floor, z - shaft}, {x + shaft, ceiling, z + shaft}, kSides));
    solids.push_back(box("plinth", {x - foot, floor, z - foot}, {x + foot, floor + footHeight, z + foot},
                         kSides | kFaceMaxY));
    solids.push_back(box("capital", {x - foot, ceiling - footHeight, z - foot}, {x + foot, ceiling, z + foot},
                         kSides | kFaceMinY));
}

LevelLayout makeLayout() {
    LevelLayout layout;
    std::vector<Room>& r = layout.rooms;
    // Ramps climb 15 degrees at most: the player's push comes once a frame, and at 30 frames
    // a second or fewer the player's box crawls at 18 degrees and stalls at 20.
    // The start hall: the player starts at its south end (z 6.5) and finds the sword in
    // the middle; a ramp leads down west to a side room, a corridor south.
    r.push_back(withButtresses(hall("start hall", {-4.0f, 2.3f, -3.0f, 9.0f}, -0.5f, 4.0f), 3.0f));
    r.push_back(passage("west ramp", {-10.7f, -4.0f, -1.0f, 1.0f}, Run::AlongX, -2.3f, -0.5f, 2.8f));
    r.push_back(withButtresses(hall("west room", {-15.25f, -10.7f, -4.0f, 4.0f}, -2.3f, 4.0f), 2.7f));
    // South: a corridor that drops into the crowded low room; the ramp starts past the
    // corridor's creature, so that it still drops less than 1.5 onto the floor.
    r.push_back(passage("south corridor", {-0.95f, 1.45f, -6.5f, -3.0f}, Run::AlongZ, -0.5f, -0.5f, 3.5f));
    r.push_back(passage("south ramp", {-0.95f, 1.45f, -12.5f, -6.5f}, Run::AlongZ, -2.1f, -0.5f, 3.5f));
    r.push_back(withButtresses(hall("crowd room", {-3.5f, 2.35f, -19.0f, -12.5f}, -2.1f, 4.2f), 2.7f));
    r.push_back(passage("crowd passage", {-1.2f, 1.2f, -21.0f, -19.0f}, Run::AlongZ, -2.1f, -2.1f, 2.8f));
    // The junction under crystal 5: east to the arena, west to the wing.
    r.push_back(withButtresses(hall("junction", {-4.5f, 4.5f, -26.1f, -21.0f}, -2.1f, 4.5f), 3.0f));
    r.push_back(passage("arena ramp", {4.5f, 11.0f, -24.5f, -22.5f}, Run::AlongX, -2.1f, -0.5f, 3.0f));
    r.push_back(withButtresses(hall("east arena", {11.0f, 24.1f, -30.0f, -14.0f}, -0.5f, 6.5f), 4.0f));
    r.push_back(passage("east corridor", {24.1f, 31.0f, -16.5f, -14.5f}, Run::AlongX, -0.5f, -2.0f, 3.0f));
    // The far hall, tall, with a ramp along its south wall up to the gallery.
    r.push_back(withButtresses(hall("far hall", {31.0f, 50.9f, -21.0f, -6.0f}, -2.0f, 11.0f), 4.5f));
    r.push_back(passage("gallery door", {49.0f, 50.6f, -21.6f, -21.0f}, Run::AlongZ, 5.5f, 5.5f, 2.3f));
    r.push_back(passage("gallery window", {45.0f, 47.5f, -21.6f, -21.0f}, Run::AlongZ, 6.6f, 6.6f, 1.4f));
    r.push_back(withButtresses(hall("gallery", {44.0f, 52.6f, -30.0f, -21.6f}, 5.5f, 5.0f), 3.5f));
    // West of the junction: the wing, then south into the chasm hall and the goal.
    r.push_back(passage("wing passage", {-6.0f, -4.5f, -24.5f, -22.5f}, Run::AlongX, -2.1f, -2.1f, 2.8f));
    r.push_back(withButtresses(hall("west wing", {-13.0f, -6.0f, -29.0f, -21.0f}, -2.1f, 4.0f), 2.7f));
    r.push_back(passage("hall passage", {-12.0f, -10.0f, -36.0f, -29.0f}, Run::AlongZ, -2.1f, -2.1f, 3.0f));
    Room chasmHall = hall("chasm hall", {-16.0f, -6.6f, -62.0f, -36.0f}, -2.1f, 10.0f);
    // The chasm opens on either side of the bridge, a strip of the hall's own floor.
    chasmHall.floorHoles.push_back({-16.0f, -12.3f, -50.0f, -44.0f});
    chasmHall.floorHoles.push_back({-10.3f, -6.6f, -50.0f, -44.0f});
    r.push_back(chasmHall);
    // Bottomless: its walls end far below the bridge, over nothing. A player who clings to
    // a wall (pushing into it holds the body by friction) slides off its end or lets go, and
    // any fall from here passes the deadly speed; a floor down there would be survived.
    Room chasm = hall("chasm", {-16.0f, -6.6f, -50.0f, -44.0f}, -20.0f, 17.9f);
    chasm.ceiling = false;
    chasm.floor = false;
    chasm.doorFrames = false;
    r.push_back(chasm);
    r.push_back(passage("goal passage", {-12.6f, -10.6f, -68.0f, -62.0f}, Run::AlongZ, -1.7f, -2.1f, 2.8f));
    r.push_back(hall("goal room", {-15.0f, -8.0f, -76.7f, -68.0f}, -1.7f, 4.5f));

    std::vector<Solid>& s = layout.solids;
    // The sword hovers over a low pedestal.
    s.push_back(box("pedestal", {-0.35f, -0.5f, -0.35f}, {0.35f, -0.15f, 0.35f}, kSides | kFaceMaxY));
    // The far hall's way up to the gallery door, 7.5 along the south wall: one ramp west
    // from the hall's south-east corner to a turn against the west wall (clear of the east
    // corridor's doorway), and one back east above it to the landing at the door, each
    // 3.75 up over 15.5 (under 14 degrees).
    const float turnTop = 1.75f;
    Solid lowerRamp =
        box("far hall lower ramp", {33.0f, -2.0f, -18.8f}, {48.5f, turnTop, -17.0f}, kFaceMaxY | kFaceMaxZ);
    lowerRamp.topAtStart = turnTop;
    lowerRamp.topAtEnd = -2.0f;
    s.push_back(lowerRamp);
    s.push_back(box("turn", {31.0f, -2.0f, -21.0f}, {33.0f, turnTop, -17.0f}, kFaceMaxY | kFaceMaxZ));
    Solid upperRamp =
        box("far hall upper ramp", {33.0f, -2.0f, -21.0f}, {48.5f, 5.5f, -18.8f}, kFaceMaxY | kFaceMaxZ);
    upperRamp.topAtStart = turnTop;
    upperRamp.topAtEnd = 5.5f;
    s.push_back(upperRamp);
    s.push_back(box("landing", {48.5f, -2.0f, -21.0f}, {50.9f, 5.5f, -18.8f}, kFaceMaxY | kFaceMaxZ));
    // Under the bridge's floor, its body, whose sides slope out below its edges: the
    // player's box slides off a sloped edge, but can hang on the top edge of an upright side.
    s.push_back(box("bridge", {-12.3f, -2.6f, -50.0f}, {-10.3f, -2.1f, -44.0f}, kFaceMinY));
    Solid westEdge =
        box("bridge west edge", {-12.5f, -2.6f, -50.0f}, {-12.3f, -2.1f, -44.0f}, kFaceMaxY | kFaceMinY);
    westEdge.topAtStart = -2.6f;
    s.push_back(westEdge);
    Solid eastEdge =
        box("bridge east edge", {-10.3f, -2.6f, -50.0f}, {-10.1f, -2.1f, -44.0f}, kFaceMaxY | kFaceMinY);
    eastEdge.topAtEnd = -2.6f;
    s.push_back(eastEdge);
    // An aisle along the far hall's north wall, clear of the creatures' places.
    for (float x : {35.0f, 39.5f, 44.0f, 48.5f}) {
        addPillar(s, x, -7.6f, -2.0f, 9.0f);
    }
    addPillar(s, 14.0f, -18.0f, -0.5f, 6.0f);
    addPillar(s, 21.0f, -18.0f, -0.5f, 6.0f);
    for (float z : {-39.0f, -42.0f, -54.0f, -57.0f, -60.0f}) {
        addPillar(s, -14.2f, z, -2.1f, 7.9f);
        addPillar(s, -8.4f, z, -2.1f, 7.9f);
    }
    for (float x : {-14.0f, -9.0f}) {
        addPillar(s, x, -70.0f, -1.7f, 2.8f);
        addPillar(s, x, -74.8f, -1.7f, 2.8f);
    }
    return layout;
}

}  // namespace

const LevelLayout& zarnholdLayout() {
    static const LevelLayout layout = makeLayout();
    return layout;
}

}  // namespace zarnhold_assets
