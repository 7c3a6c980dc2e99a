#include "scene/RoomGraph.h"

#include <algorithm>
#include <limits>

namespace zarnhold {

namespace {

// The eye counts as standing in every room it is this close to: it stays clear of a wall
// by more than the near plane, but may stand right in a doorway.
constexpr float kEyeMargin = 0.2f;
// Nearer than this to an opening, the eye may see through it at any angle.
constexpr float kOpeningMargin = 0.3f;
// Screen-space slack (in normalised device units) against rounding at an opening's rim.
constexpr float kScreenSlack = 0.01f;
// Corners closer to the eye's plane than this (clip w) are cut off before dividing; the
// near plane lies further out, so nothing that can be drawn is cut.
constexpr float kNearestW = 1e-3f;
// A graph this tangled is not followed: every room is then drawn.
constexpr int kMostSteps = 4096;

struct ScreenRect {
    glm::vec2 low{-1.0f};
    glm::vec2 high{1.0f};

    bool empty() const { return !(low.x < high.x && low.y < high.y); }
    ScreenRect within(const ScreenRect& other) const {
        return {glm::max(low, other.low), glm::min(high, other.high)};
    }
};

bool inside(const glm::vec3& p, const glm::vec3& low, const glm::vec3& high) {
    return p.x >= low.x && p.y >= low.y && p.z >= low.z && p.x <= high.x && p.y <= high.y && p.z <= high.z;
}

// The screen rectangle around the part of the opening in front of the eye; false when no
// part of it is.
bool screenBounds(const RoomGraph::Portal& portal, const glm::mat4& clipFromModel, ScreenRect& bounds) {
    glm::vec4 clip[4];
    for (int i = 0; i < 4; ++i) clip[i] = clipFromModel * glm::vec4(portal.corners[i], 1.0f);
    const float inf = std::numeric_limits<float>::infinity();
    bounds = {glm::vec2(inf), glm::vec2(-inf)};
    bool any = false;
    auto include = [&](const glm::vec4& p) {
        const glm::vec2 ndc = glm::vec2(p) / p.w;
        bounds.low = glm::min(bounds.low, ndc);
        bounds.high = glm::max(bounds.high, ndc);
        any = true;
    };
    for (int i = 0; i < 4; ++i) {
        const glm::vec4& here = clip[i];
        const glm::vec4& next = clip[(i + 1) % 4];
        const bool hereIn = here.w >= kNearestW;
        if (hereIn) include(here);
        if (hereIn != (next.w >= kNearestW)) {
            include(here + (next - here) * ((kNearestW - here.w) / (next.w - here.w)));
        }
    }
    bounds.low -= glm::vec2(kScreenSlack);
    bounds.high += glm::vec2(kScreenSlack);
    return any;
}

bool eyeAtOpening(const RoomGraph::Portal& portal, const glm::vec3& eye) {
    glm::vec3 low = portal.corners[0], high = portal.corners[0];
    for (const glm::vec3& corner : portal.corners) {
        low = glm::min(low, corner);
        high = glm::max(high, corner);
    }
    return inside(eye, low - glm::vec3(kOpeningMargin), high + glm::vec3(kOpeningMargin));
}

// Follows every chain of openings from the eye's rooms, narrowing the part of the screen
// that can still show something at each opening.
class Walk {
public:
    Walk(const RoomGraph& graph, const glm::mat4& clipFromModel, const glm::vec3& eye)
        : graph(graph),
          clipFromModel(clipFromModel),
          eye(eye),
          sights(graph.rooms.size()),
          onPath(graph.rooms.size(), 0),
          openingsOf(graph.rooms.size()) {
        const int count = static_cast<int>(graph.rooms.size());
        for (int i = 0; i < static_cast<int>(graph.portals.size()); ++i) {
            const RoomGraph::Portal& portal = graph.portals[i];
            // An opening into a room that is not there leads nowhere.
            if (portal.a < 0 || portal.b < 0 || portal.a >= count || portal.b >= count) continue;
            openingsOf[portal.a].push_back(i);
            openingsOf[portal.b].push_back(i);
        }
    }

    void visit(int room, const ScreenRect& rect, int steps) {
        RoomGraph::Sight& sight = sights[room];
        if (sight.depth < 0) {
            sight = {steps, rect.low, rect.high};
        } else {
            sight.depth = std::min(sight.depth, steps);
            sight.low = glm::min(sight.low, rect.low);
            sight.high = glm::max(sight.high, rect.high);
        }
        onPath[room] = 1;
        for (int index : openingsOf[room]) {
            if (++taken > kMostSteps) {
                tangled = true;
                break;
            }
            const RoomGraph::Portal& portal = graph.portals[index];
            const int other = portal.a == room ? portal.b : portal.a;
            if (onPath[other]) continue;
            ScreenRect through = rect;
            if (!eyeAtOpening(portal, eye)) {
                ScreenRect bounds;
                if (!screenBounds(portal, clipFromModel, bounds)) continue;
                through = rect.within(bounds);
                if (through.empty()) continue;
            }
            visit(other, through, steps + 1);
            if (tangled) break;
        }
        onPath[room] = 0;
    }

    const RoomGraph& graph;
    const glm::mat4& clipFromModel;
    const glm::vec3 eye;
    std::vector<RoomGraph::Sight> sights;
    std::vector<char> onPath;
    std::vector<std::vector<int>> openingsOf;
    int taken = 0;
    bool tangled = false;
};

}  // namespace

std::vector<int> RoomGraph::roomsAt(const glm::vec3& point, float margin) const {
    std::vector<int> found;
    for (int i = 0; i < static_cast<int>(rooms.size()); ++i) {
        if (inside(point, rooms[i].low - glm::vec3(margin), rooms[i].high + glm::vec3(margin))) {
            found.push_back(i);
        }
    }
    return found;
}

std::vector<int> RoomGraph::roomsTouching(const glm::vec3& a, const glm::vec3& b, const glm::vec3& c,
                                          float margin) const {
    const glm::vec3 low = glm::min(a, glm::min(b, c));
    const glm::vec3 high = glm::max(a, glm::max(b, c));
    std::vector<int> found;
    for (int i = 0; i < static_cast<int>(rooms.size()); ++i) {
        const glm::vec3 roomLow = rooms[i].low - glm::vec3(margin);
        const glm::vec3 roomHigh = rooms[i].high + glm::vec3(margin);
        if (glm::all(glm::lessThanEqual(low, roomHigh)) && glm::all(glm::lessThanEqual(roomLow, high))) {
            found.push_back(i);
        }
    }
    return found;
}

std::vector<RoomGraph::Sight> RoomGraph::seenRooms(const glm::mat4& clipFromModel,
                                                   const glm::vec3& eye) const {
    const Sight everywhere{0, glm::vec2(-1.0f), glm::vec2(1.0f)};
    const std::vector<int> standing = roomsAt(eye, kEyeMargin);
    if (standing.empty()) return std::vector<Sight>(rooms.size(), everywhere);
    Walk walk(*this, clipFromModel, eye);
    for (int room : standing) {
        walk.visit(room, ScreenRect{}, 0);
        if (walk.tangled) return std::vector<Sight>(rooms.size(), everywhere);
    }
    return walk.sights;
}

bool RoomGraph::hidesSphere(const std::vector<Sight>& sights, glm::vec3 centre, float radius) const {
    if (sights.size() != rooms.size()) return false;
    const glm::vec3 reach(radius);
    bool inUnseenRoom = false;
    for (std::size_t room = 0; room < sights.size(); ++room) {
        const Box& box = rooms[room];
        const bool inside = glm::all(glm::greaterThanEqual(centre - reach, box.low)) &&
                            glm::all(glm::lessThanEqual(centre + reach, box.high));
        // Boxes may overlap: one that is seen and holds the sphere is enough to show it.
        if (inside && sights[room].depth >= 0) return false;
        inUnseenRoom = inUnseenRoom || inside;
    }
    return inUnseenRoom;
}

}  // namespace zarnhold
