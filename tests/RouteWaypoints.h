#pragma once

#include <initializer_list>
#include <vector>

// The route through the level on foot, as waypoints (physics frame) with the floor the body
// must stand on at each: the route test walks it, and the recorded route is made from it.
// A place to walk to, physics frame, with the floor the body must stand on there.
struct Waypoint {
    float x;
    float z;
    float floor;
    const char* where;
};

// Start hall, past the sword, down the west ramp to the side room and back, then south
// down to the crowd room (and once more up and down that ramp) and the junction.
inline const std::vector<Waypoint> kToJunction = {
    {1.2f, 1.2f, -0.5f, "start hall, before the sword"},
    {1.2f, -1.5f, -0.5f, "beside the sword"},
    {-2.0f, -1.5f, -0.5f, "start hall, west of the sword"},
    {-3.5f, 0.0f, -0.5f, "top of the west ramp"},
    {-12.5f, 0.0f, -2.3f, "west room"},
    {-3.5f, 0.0f, -0.5f, "top of the west ramp, going back"},
    {0.25f, -2.0f, -0.5f, "start hall, at the south corridor"},
    {0.25f, -4.5f, -0.5f, "south corridor"},
    {0.25f, -14.0f, -2.1f, "crowd room"},
    {0.25f, -4.5f, -0.5f, "south corridor, climbing back"},
    {0.25f, -14.0f, -2.1f, "crowd room again"},
    {0.0f, -20.0f, -2.1f, "crowd passage"},
    {0.0f, -23.5f, -2.1f, "junction"},
};

// East through the arena and the far hall, up the two ramps to the gallery, and back.
inline const std::vector<Waypoint> kGalleryAndBack = {
    {12.5f, -23.5f, -0.5f, "east arena, west end"},
    {17.5f, -17.0f, -0.5f, "east arena, between the pillars"},
    {23.5f, -15.5f, -0.5f, "east arena, by the east corridor"},
    {31.8f, -15.5f, -2.0f, "far hall, west end"},
    {49.6f, -15.8f, -2.0f, "far hall, east end"},
    {49.6f, -17.9f, -2.0f, "far hall, foot of the lower ramp"},
    {32.0f, -17.9f, 1.75f, "far hall, the turn"},
    {32.0f, -19.9f, 1.75f, "far hall, foot of the upper ramp"},
    {49.7f, -19.9f, 5.5f, "landing at the gallery door"},
    {49.8f, -22.6f, 5.5f, "gallery, inside the door"},
    {48.0f, -26.0f, 5.5f, "gallery"},
    {49.8f, -22.6f, 5.5f, "gallery, back at the door"},
    {49.7f, -19.9f, 5.5f, "landing, going back"},
    {32.0f, -19.9f, 1.75f, "the turn, going back"},
    {32.0f, -17.9f, 1.75f, "top of the lower ramp, going back"},
    {49.6f, -17.9f, -2.0f, "foot of the lower ramp, going back"},
    {49.6f, -15.8f, -2.0f, "far hall, east end, going back"},
    {31.8f, -15.5f, -2.0f, "far hall, west end, going back"},
    {23.5f, -15.5f, -0.5f, "east arena, going back"},
    {17.5f, -17.0f, -0.5f, "east arena, between the pillars, going back"},
    {12.5f, -23.5f, -0.5f, "east arena, west end, going back"},
    {3.0f, -23.5f, -2.1f, "junction, going back"},
};

// West through the wing to the chasm hall's bridge.
inline const std::vector<Waypoint> kToBridge = {
    {-5.25f, -23.5f, -2.1f, "wing passage"},
    {-11.0f, -25.0f, -2.1f, "west wing"},
    {-11.0f, -31.0f, -2.1f, "hall passage"},
    {-11.3f, -40.0f, -2.1f, "chasm hall, north end"},
};

// Over the bridge and into the goal room.
inline const std::vector<Waypoint> kToGoal = {
    {-11.3f, -56.0f, -2.1f, "chasm hall, past the bridge"},
    {-11.6f, -65.0f, -1.9f, "goal passage"},
};

inline const std::vector<Waypoint> kOntoTheBridge = {{-11.3f, -46.0f, -2.1f, "on the bridge"}};

inline std::vector<Waypoint> joined(std::initializer_list<const std::vector<Waypoint>*> parts) {
    std::vector<Waypoint> all;
    for (const std::vector<Waypoint>* part : parts) all.insert(all.end(), part->begin(), part->end());
    return all;
}
