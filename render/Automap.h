#pragma once

#include <array>
#include <vector>

#include <glm/glm.hpp>

#include "scene/RoomGraph.h"

namespace zarnhold {

// What a shape of the map stands for; each is drawn in its own colour.
enum class AutomapMark {
    // A seen room on the player's floor: its heights share more than a sliver with those
    // of the rooms the player stands in (or it holds the eye, where the eye is in none).
    Room,
    // A seen room above or below the player: rooms on different floors overlap in plan.
    OtherFloor,
    // The room that holds the goal crystal, seen or not.
    GoalRoom,
    // From the player to the goal crystal.
    GoalWay,
    Goal,
    Player,
};

// In panel pixels, origin at the panel's lower left.
struct AutomapLine {
    glm::vec2 from{0.0f};
    glm::vec2 to{0.0f};
    AutomapMark mark = AutomapMark::Room;
};

struct AutomapTriangle {
    std::array<glm::vec2, 3> corners{};
    AutomapMark mark = AutomapMark::Player;
};

// How the level's ground plane lies in the panel: seen from above, -z (the way the player
// sets out) up and +x to the right, the same scale both ways.
struct AutomapFrame {
    glm::vec2 planCentre{0.0f};
    glm::vec2 panelCentre{0.0f};
    float pixelsPerUnit = 1.0f;

    // A level-frame point's place in the panel (its height is left out).
    glm::vec2 toPanel(glm::vec3 levelPoint) const;
};

struct AutomapDrawing {
    // Drawn first, in order: other floors, the player's floor, the goal room, the way to it.
    std::vector<AutomapLine> lines;
    // Drawn over the lines: the goal crystal, then the player's arrow.
    std::vector<AutomapTriangle> triangles;
    AutomapFrame frame;
};

// What the map shows, as plain values. Points are in the level's frame (the physics frame:
// +y up).
struct AutomapInput {
    // By room; a room past the end counts as unseen.
    std::vector<bool> roomsSeen;
    glm::vec3 playerPos{0.0f};
    // The player's turn about the vertical, as the player's horizontal angle: 0 faces -z,
    // a quarter turn faces +x.
    float facingRadians = 0.0f;
    glm::vec3 goalPos{0.0f};
    // Pixels.
    glm::vec2 panelSize{0.0f};
};

// The map of the rooms a run has seen, top-down, as flat shapes in a panel: each seen
// room's footprint as an outline, broken where an opening in a wall (not one in a floor)
// leaves it; the goal crystal's room outlined even before it is seen, the crystal as a
// diamond and a line to it from the player, whose arrow points the way the player faces.
// The seen rooms, the goal's room and the player are fitted into the panel with a margin
// that keeps the marks inside it.
class Automap {
public:
    // `graph` (the level's frame) must outlive the map.
    explicit Automap(const RoomGraph& graph) : graph(graph) {}

    AutomapDrawing draw(const AutomapInput& input) const;

private:
    // The outline of room `room` as pieces of its footprint's four sides, in the level's
    // ground plane (x, z), less the openings of that room that lie in those sides.
    std::vector<std::array<glm::vec2, 2>> outline(int room) const;

    const RoomGraph& graph;
};

}  // namespace zarnhold
