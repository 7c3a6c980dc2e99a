#include "render/RoomBatches.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace zarnhold {

namespace {

// A wall lies in the plane of its room's box; this much slack keeps rounding in the
// model's four decimals from pushing it out.
constexpr float kTouchMargin = 0.05f;

bool onPlane(float a, float b, float c, float plane) {
    return std::abs(a - plane) < kTouchMargin && std::abs(b - plane) < kTouchMargin &&
           std::abs(c - plane) < kTouchMargin;
}

// A floor, ceiling or wall: a triangle in one of the faces of a room's box. Nothing in
// the room stands behind it, seen from inside.
bool onRoomShell(const RoomGraph& graph, const std::vector<int>& rooms, const glm::vec3& a,
                 const glm::vec3& b, const glm::vec3& c) {
    for (int room : rooms) {
        const RoomGraph::Box& box = graph.rooms[room];
        for (int axis = 0; axis < 3; ++axis) {
            if (onPlane(a[axis], b[axis], c[axis], box.low[axis]) ||
                onPlane(a[axis], b[axis], c[axis], box.high[axis])) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

void RoomBatches::build(const RoomGraph& graph, const std::vector<glm::vec3>& positions,
                        const std::vector<std::uint16_t>& indices,
                        const std::vector<unsigned int>* lightMasks) {
    std::map<std::tuple<bool, std::vector<int>, unsigned int>, std::vector<std::size_t>> trianglesByRooms;
    for (std::size_t t = 0; t + 2 < indices.size(); t += 3) {
        const glm::vec3& a = positions.at(indices[t]);
        const glm::vec3& b = positions.at(indices[t + 1]);
        const glm::vec3& c = positions.at(indices[t + 2]);
        std::vector<int> rooms = graph.roomsTouching(a, b, c, kTouchMargin);
        const bool shell = onRoomShell(graph, rooms, a, b, c);
        const unsigned int lights = lightMasks != nullptr ? lightMasks->at(t / 3) : ~0u;
        trianglesByRooms[{shell, std::move(rooms), lights}].push_back(t);
    }
    drawOrder.clear();
    batches.clear();
    for (const auto& [key, starts] : trianglesByRooms) {
        Batch batch{{drawOrder.size(), 3 * starts.size()}, std::get<1>(key), std::get<0>(key)};
        batch.range.lightMask = std::get<2>(key);
        for (std::size_t t : starts) {
            drawOrder.insert(drawOrder.end(), indices.begin() + t, indices.begin() + t + 3);
        }
        batches.push_back(batch);
    }
}

std::vector<IndexRange> RoomBatches::rangesFor(const std::vector<RoomGraph::Sight>& sights) const {
    std::vector<std::pair<std::pair<int, bool>, IndexRange>> chosen;
    for (const Batch& batch : batches) {
        const RoomGraph::Sight seen = sightOf(batch, sights);
        if (seen.depth < 0) continue;
        IndexRange range = batch.range;
        range.screenLow = seen.low;
        range.screenHigh = seen.high;
        chosen.push_back({{seen.depth, batch.shell}, range});
    }
    std::stable_sort(chosen.begin(), chosen.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<IndexRange> ranges;
    for (const auto& [order, range] : chosen) {
        IndexRange* last = ranges.empty() ? nullptr : &ranges.back();
        if (last != nullptr && last->first + last->count == range.first &&
            last->screenLow == range.screenLow && last->screenHigh == range.screenHigh &&
            last->lightMask == range.lightMask) {
            last->count += range.count;
        } else {
            ranges.push_back(range);
        }
    }
    return ranges;
}

RoomGraph::Sight RoomBatches::sightOf(const Batch& batch, const std::vector<RoomGraph::Sight>& sights) {
    // Nothing says where a batch outside every room is, so it is always drawn, first.
    if (batch.rooms.empty()) return RoomGraph::Sight{0};
    RoomGraph::Sight seen;
    for (int room : batch.rooms) {
        // A room the sights do not know of counts as seen everywhere.
        const RoomGraph::Sight sight =
            room < static_cast<int>(sights.size()) ? sights[room] : RoomGraph::Sight{0};
        if (sight.depth < 0) continue;
        if (seen.depth < 0) {
            seen = sight;
        } else {
            seen.depth = std::min(seen.depth, sight.depth);
            seen.low = glm::min(seen.low, sight.low);
            seen.high = glm::max(seen.high, sight.high);
        }
    }
    return seen;
}

}  // namespace zarnhold
