#include "tools/level/RoomFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zarnhold_assets {

namespace {

constexpr float kEpsilon = 1e-4f;

bool same(float a, float b) {
    return std::abs(a - b) < kEpsilon;
}

float ceilingTop(const Room& room) {
    return std::max(room.floorAtMin, room.floorAtMax) + room.height;
}

// The rectangle a corridor's open end leaves in the plane of its wall, and that plane.
struct End {
    bool alongX = false;  // the end lies in a plane of constant x
    float plane = 0.0f;
    float u0 = 0.0f, u1 = 0.0f;  // its span along the wall
    float y0 = 0.0f, y1 = 0.0f;
};

End openEnd(const Room& room, Side side) {
    End end;
    end.alongX = side == Side::MinX || side == Side::MaxX;
    const Rect& a = room.area;
    end.plane = side == Side::MinX ? a.x0 : side == Side::MaxX ? a.x1 : side == Side::MinZ ? a.z0 : a.z1;
    end.u0 = end.alongX ? a.z0 : a.x0;
    end.u1 = end.alongX ? a.z1 : a.x1;
    const float middle = 0.5f * (end.u0 + end.u1);
    end.y0 = end.alongX ? room.floorAt(end.plane, middle) : room.floorAt(middle, end.plane);
    end.y1 = end.y0 + room.height;
    return end;
}

// Whether `other` has a wall in the end's plane that spans the end.
bool meets(const End& end, const Room& other) {
    const Rect& a = other.area;
    if (end.alongX) {
        return (same(a.x0, end.plane) || same(a.x1, end.plane)) && end.u0 > a.z0 - kEpsilon &&
               end.u1 < a.z1 + kEpsilon;
    }
    return (same(a.z0, end.plane) || same(a.z1, end.plane)) && end.u0 > a.x0 - kEpsilon &&
           end.u1 < a.x1 + kEpsilon;
}

glm::vec3 endPoint(const End& end, float u, float y) {
    return end.alongX ? glm::vec3(end.plane, y, u) : glm::vec3(u, y, end.plane);
}

bool samePoint(const glm::vec3& p, const glm::vec3& q) {
    return same(p.x, q.x) && same(p.y, q.y) && same(p.z, q.z);
}

// Two open ends that meet make the same opening twice, once from either side.
bool alreadyThere(const RoomGraph& graph, const RoomGraph::Portal& opening) {
    for (const RoomGraph::Portal& o : graph.portals) {
        const bool pair = (o.a == opening.a && o.b == opening.b) || (o.a == opening.b && o.b == opening.a);
        if (pair && std::equal(o.corners.begin(), o.corners.end(), opening.corners.begin(), samePoint)) {
            return true;
        }
    }
    return false;
}

void addEndOpenings(const LevelLayout& layout, int index, RoomGraph& graph) {
    const Room& room = layout.rooms[index];
    for (Side side : {Side::MinX, Side::MaxX, Side::MinZ, Side::MaxZ}) {
        if ((room.openSides & sideBit(side)) == 0) continue;
        const End end = openEnd(room, side);
        for (int j = 0; j < static_cast<int>(layout.rooms.size()); ++j) {
            if (j == index || !meets(end, layout.rooms[j])) continue;
            const RoomGraph::Portal opening{index,
                                            j,
                                            {endPoint(end, end.u0, end.y0), endPoint(end, end.u1, end.y0),
                                             endPoint(end, end.u1, end.y1), endPoint(end, end.u0, end.y1)}};
            if (!alreadyThere(graph, opening)) graph.portals.push_back(opening);
        }
    }
}

// A hole in a floor opens into the room below whose top is that floor.
void addHoleOpenings(const LevelLayout& layout, int index, RoomGraph& graph) {
    const Room& room = layout.rooms[index];
    for (const Rect& hole : room.floorHoles) {
        const float y = room.floorAt(0.5f * (hole.x0 + hole.x1), 0.5f * (hole.z0 + hole.z1));
        for (int j = 0; j < static_cast<int>(layout.rooms.size()); ++j) {
            const Room& below = layout.rooms[j];
            const Rect& a = below.area;
            if (j == index || !same(ceilingTop(below), y) || hole.x0 < a.x0 - kEpsilon ||
                hole.x1 > a.x1 + kEpsilon || hole.z0 < a.z0 - kEpsilon || hole.z1 > a.z1 + kEpsilon) {
                continue;
            }
            graph.portals.push_back({index,
                                     j,
                                     {glm::vec3(hole.x0, y, hole.z0), glm::vec3(hole.x1, y, hole.z0),
                                      glm::vec3(hole.x1, y, hole.z1), glm::vec3(hole.x0, y, hole.z1)}});
        }
    }
}

void appendPoint(std::string& text, const glm::vec3& p) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, " %.4f %.4f %.4f", p.x, p.y, p.z);
    text += buffer;
}

}  // namespace

RoomGraph findRooms(const LevelLayout& layout) {
    RoomGraph graph;
    for (const Room& room : layout.rooms) {
        const float floor = std::min(room.floorAtMin, room.floorAtMax);
        graph.rooms.push_back({glm::vec3(room.area.x0, floor, room.area.z0),
                               glm::vec3(room.area.x1, ceilingTop(room), room.area.z1)});
    }
    for (int i = 0; i < static_cast<int>(layout.rooms.size()); ++i) {
        addEndOpenings(layout, i, graph);
        addHoleOpenings(layout, i, graph);
    }
    return graph;
}

std::string encodeRoomFile(const RoomGraph& graph) {
    std::string text = "# Zarnhold level one: rooms (low and high corner) and the openings between them\n";
    for (const RoomGraph::Box& box : graph.rooms) {
        text += "room";
        appendPoint(text, box.low);
        appendPoint(text, box.high);
        text += '\n';
    }
    for (const RoomGraph::Portal& opening : graph.portals) {
        text += "portal " + std::to_string(opening.a) + " " + std::to_string(opening.b);
        for (const glm::vec3& corner : opening.corners) appendPoint(text, corner);
        text += '\n';
    }
    return text;
}

bool writeRoomFile(const std::string& path, const RoomGraph& graph) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const std::string text = encodeRoomFile(graph);
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace zarnhold_assets
