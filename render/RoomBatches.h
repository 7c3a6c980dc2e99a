#pragma once

#include <cstdint>
#include <vector>

#include <glm/glm.hpp>

#include "scene/IndexRange.h"
#include "scene/RoomGraph.h"

namespace zarnhold {

// A mesh's triangles grouped by the rooms they touch, so that a draw can leave out the
// rooms the eye cannot see. A triangle touching several rooms is drawn when any of them
// is seen; one touching none is always drawn.
class RoomBatches {
public:
    struct Batch {
        IndexRange range;
        std::vector<int> rooms;  // ascending
        bool shell = false;      // floors, ceilings and walls, which hide nothing of their room
    };

    // Regroups the triangles of `indices` (three per triangle, into `positions`); the
    // result, `drawOrder`, holds the same triangles with each batch's run together. With
    // `lightMasks` (one per triangle of `indices`), triangles reached by different lights
    // go to different batches, each range carrying its mask.
    void build(const RoomGraph& graph, const std::vector<glm::vec3>& positions,
               const std::vector<std::uint16_t>& indices,
               const std::vector<unsigned int>* lightMasks = nullptr);

    // The runs to draw for `sights` (RoomGraph::seenRooms): the batches touching a seen
    // room, each on the part of the screen its seen rooms can show on, those of the rooms nearest through the
    // openings first and each room's shell after what stands in it, so that what hides the rest tends to be
    // drawn before it; neighbouring runs are joined.
    std::vector<IndexRange> rangesFor(const std::vector<RoomGraph::Sight>& sights) const;

    std::vector<std::uint16_t> drawOrder;
    std::vector<Batch> batches;

private:
    // The batch's seen rooms together: the fewest openings to any of them and all the
    // screen they show on; depth -1 when none is seen.
    static RoomGraph::Sight sightOf(const Batch& batch, const std::vector<RoomGraph::Sight>& sights);
};

}  // namespace zarnhold
