#pragma once

#include <array>
#include <vector>

#include <glm/glm.hpp>

namespace zarnhold {

// The level as rooms joined by openings (doorways, corridor ends, holes in floors), in the
// level's model frame. Every line of sight from one room into another passes through an
// opening, so a room is seen only through the chain of openings that leads to it: the
// rooms an eye cannot see that way need not be drawn.
class RoomGraph {
public:
    struct Box {
        glm::vec3 low{0.0f};
        glm::vec3 high{0.0f};
    };
    struct Portal {
        int a = 0;
        int b = 0;
        std::array<glm::vec3, 4> corners{};
    };

    // How a room is seen: through how many openings (0 for the rooms the eye stands in,
    // -1 when it cannot be seen) and the part of the screen (normalised device
    // coordinates) it can show on.
    struct Sight {
        int depth = -1;
        glm::vec2 low{-1.0f};
        glm::vec2 high{1.0f};
    };

    bool empty() const { return rooms.empty(); }

    // The rooms whose box holds `point`, each box grown by `margin` on every side.
    std::vector<int> roomsAt(const glm::vec3& point, float margin) const;
    // The rooms whose box, grown by `margin`, meets the bounding box of a, b and c.
    std::vector<int> roomsTouching(const glm::vec3& a, const glm::vec3& b, const glm::vec3& c,
                                   float margin) const;

    // For every room, how the eye sees it: each chain of openings that leads to the room
    // and still shows part of the screen through its narrowest opening adds that part.
    // `clipFromModel` takes the model frame to clip space. An eye in no room sees every
    // room on the whole screen, as does a graph too tangled to follow within a fixed
    // number of steps.
    std::vector<Sight> seenRooms(const glm::mat4& clipFromModel, const glm::vec3& eye) const;

    // Whether the sphere at `centre` (model frame) with `radius` lies wholly within some
    // room's box and wholly within no seen room's box: then the eye cannot see it. False
    // when `sights` (from seenRooms) does not match the rooms.
    bool hidesSphere(const std::vector<Sight>& sights, glm::vec3 centre, float radius) const;

    std::vector<Box> rooms;
    std::vector<Portal> portals;
};

}  // namespace zarnhold
