#include "render/Automap.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace zarnhold {

namespace {

// Openings and walls are written to four decimals: closer than this is the same line.
constexpr float kSameLine = 1e-3f;
// The marks' sizes, as shares of the panel's shorter side: they stay readable however
// large the map's area is.
constexpr float kArrowLength = 0.06f;
constexpr float kGoalHalfWidth = 0.025f;
constexpr float kAir = 0.03f;
// The least extent fitted, in units, so that a map of one point still has a scale.
constexpr float kLeastExtent = 1.0f;
// The eye stands in every room it is this close to, as the room culling counts it.
constexpr float kEyeMargin = 0.2f;
// Rooms whose heights share less than this are on different floors: a shaft under a
// bridge shares only the bridge's floor with the bridge's room.
constexpr float kSameFloor = 0.1f;

// The ground plane seen from above: -z up, +x right.
glm::vec2 plan(glm::vec3 levelPoint) {
    return {levelPoint.x, -levelPoint.z};
}

// One side of a room's footprint: along x at constant z, or along z at constant x.
struct Side {
    bool alongX = false;
    float at = 0.0f;
    float from = 0.0f;
    float to = 0.0f;
};

std::array<Side, 4> sidesOf(const RoomGraph::Box& box) {
    return {Side{true, box.low.z, box.low.x, box.high.x}, Side{true, box.high.z, box.low.x, box.high.x},
            Side{false, box.low.x, box.low.z, box.high.z}, Side{false, box.high.x, box.low.z, box.high.z}};
}

// The span an opening leaves in `side`, when it is an opening in a wall on the side's line.
bool cutIn(const RoomGraph::Portal& portal, const Side& side, std::pair<float, float>& span) {
    glm::vec3 low = portal.corners[0], high = portal.corners[0];
    for (const glm::vec3& corner : portal.corners) {
        low = glm::min(low, corner);
        high = glm::max(high, corner);
    }
    // A wall's opening is flat across the wall: in a plane of constant z for a side along x.
    const float across = side.alongX ? high.z - low.z : high.x - low.x;
    const float line = side.alongX ? low.z : low.x;
    if (across > kSameLine || std::abs(line - side.at) > kSameLine) return false;
    span = side.alongX ? std::make_pair(low.x, high.x) : std::make_pair(low.z, high.z);
    return span.second - span.first > kSameLine;
}

glm::vec2 groundPoint(const Side& side, float u) {
    return side.alongX ? glm::vec2(u, side.at) : glm::vec2(side.at, u);
}

// The heights of the player's floor: those of the rooms the eye stands in, or the eye's
// alone where it is in none (in flight through a wall).
struct Heights {
    float low = 0.0f;
    float high = 0.0f;
    bool eyeOnly = false;

    bool share(const RoomGraph::Box& box) const {
        if (eyeOnly) return box.low.y <= low && low <= box.high.y;
        return std::min(high, box.high.y) - std::max(low, box.low.y) > kSameFloor;
    }
};

Heights floorOf(const RoomGraph& graph, glm::vec3 eye) {
    const std::vector<int> here = graph.roomsAt(eye, kEyeMargin);
    if (here.empty()) return {eye.y, eye.y, true};
    Heights heights{std::numeric_limits<float>::max(), std::numeric_limits<float>::lowest(), false};
    for (int room : here) {
        heights.low = std::min(heights.low, graph.rooms[static_cast<std::size_t>(room)].low.y);
        heights.high = std::max(heights.high, graph.rooms[static_cast<std::size_t>(room)].high.y);
    }
    return heights;
}

bool contains(const std::vector<int>& rooms, int room) {
    return std::find(rooms.begin(), rooms.end(), room) != rooms.end();
}

struct Bounds {
    glm::vec2 low{std::numeric_limits<float>::max()};
    glm::vec2 high{std::numeric_limits<float>::lowest()};

    void add(glm::vec2 p) {
        low = glm::min(low, p);
        high = glm::max(high, p);
    }
};

AutomapFrame fit(const Bounds& bounds, glm::vec2 panelSize, float margin) {
    const glm::vec2 extent = glm::max(bounds.high - bounds.low, glm::vec2(kLeastExtent));
    const glm::vec2 room = glm::max(panelSize - glm::vec2(2.0f * margin), glm::vec2(1.0f));
    AutomapFrame frame;
    frame.planCentre = 0.5f * (bounds.low + bounds.high);
    frame.panelCentre = 0.5f * panelSize;
    frame.pixelsPerUnit = std::min(room.x / extent.x, room.y / extent.y);
    return frame;
}

// The arrow's tip lies ahead of the player, its base behind: it turns about the player.
AutomapTriangle arrow(glm::vec2 at, glm::vec2 ahead, float length) {
    const glm::vec2 across(ahead.y, -ahead.x);
    const glm::vec2 base = at - ahead * (0.4f * length);
    return {
        {at + ahead * (0.6f * length), base + across * (0.35f * length), base - across * (0.35f * length)},
        AutomapMark::Player};
}

}  // namespace

glm::vec2 AutomapFrame::toPanel(glm::vec3 levelPoint) const {
    return panelCentre + (plan(levelPoint) - planCentre) * pixelsPerUnit;
}

std::vector<std::array<glm::vec2, 2>> Automap::outline(int room) const {
    std::vector<std::array<glm::vec2, 2>> pieces;
    for (const Side& side : sidesOf(graph.rooms[static_cast<std::size_t>(room)])) {
        std::vector<std::pair<float, float>> cuts;
        for (const RoomGraph::Portal& portal : graph.portals) {
            std::pair<float, float> span;
            if ((portal.a == room || portal.b == room) && cutIn(portal, side, span)) cuts.push_back(span);
        }
        std::sort(cuts.begin(), cuts.end());
        float from = side.from;
        for (const auto& [cutFrom, cutTo] : cuts) {
            const float to = std::min(cutFrom, side.to);
            if (to - from > kSameLine) pieces.push_back({groundPoint(side, from), groundPoint(side, to)});
            from = std::max(from, cutTo);
        }
        if (side.to - from > kSameLine) {
            pieces.push_back({groundPoint(side, from), groundPoint(side, side.to)});
        }
    }
    return pieces;
}

AutomapDrawing Automap::draw(const AutomapInput& input) const {
    const std::vector<int> goalRooms = graph.roomsAt(input.goalPos, 0.0f);
    const Heights playersFloor = floorOf(graph, input.playerPos);
    // The rooms drawn, each with its mark: the goal's whether seen or not.
    std::vector<std::pair<int, AutomapMark>> drawn;
    for (int room = 0; room < static_cast<int>(graph.rooms.size()); ++room) {
        const RoomGraph::Box& box = graph.rooms[static_cast<std::size_t>(room)];
        const bool seen = static_cast<std::size_t>(room) < input.roomsSeen.size() &&
                          input.roomsSeen[static_cast<std::size_t>(room)];
        if (contains(goalRooms, room)) {
            drawn.emplace_back(room, AutomapMark::GoalRoom);
        } else if (seen) {
            drawn.emplace_back(room, playersFloor.share(box) ? AutomapMark::Room : AutomapMark::OtherFloor);
        }
    }

    Bounds bounds;
    for (const auto& [room, mark] : drawn) {
        const RoomGraph::Box& box = graph.rooms[static_cast<std::size_t>(room)];
        bounds.add(plan(box.low));
        bounds.add(plan(box.high));
    }
    bounds.add(plan(input.playerPos));
    bounds.add(plan(input.goalPos));
    const float unit = std::min(input.panelSize.x, input.panelSize.y);
    const float arrowLength = kArrowLength * unit, goalHalf = kGoalHalfWidth * unit;
    AutomapDrawing drawing;
    drawing.frame = fit(bounds, input.panelSize, std::max(0.6f * arrowLength, goalHalf) + kAir * unit);
    const AutomapFrame& frame = drawing.frame;
    const auto toPanel = [&frame](glm::vec2 ground) { return frame.toPanel({ground.x, 0.0f, ground.y}); };

    // Later marks are drawn over earlier ones: the player's floor over the others.
    for (AutomapMark pass : {AutomapMark::OtherFloor, AutomapMark::Room, AutomapMark::GoalRoom}) {
        for (const auto& [room, mark] : drawn) {
            if (mark != pass) continue;
            for (const auto& piece : outline(room)) {
                drawing.lines.push_back({toPanel(piece[0]), toPanel(piece[1]), mark});
            }
        }
    }
    const glm::vec2 player = frame.toPanel(input.playerPos), goal = frame.toPanel(input.goalPos);
    drawing.lines.push_back({player, goal, AutomapMark::GoalWay});

    const glm::vec2 dx(goalHalf, 0.0f), dy(0.0f, goalHalf);
    drawing.triangles.push_back({{goal + dx, goal + dy, goal - dx}, AutomapMark::Goal});
    drawing.triangles.push_back({{goal - dx, goal - dy, goal + dx}, AutomapMark::Goal});
    // Facing physics (sin f, -cos f) on the ground; -z is up in the plan.
    const glm::vec2 ahead(std::sin(input.facingRadians), std::cos(input.facingRadians));
    drawing.triangles.push_back(arrow(player, ahead, arrowLength));
    return drawing;
}

}  // namespace zarnhold
