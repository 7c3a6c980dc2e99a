#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include <glm/glm.hpp>

namespace zarnhold {

// Spatial hash over the welded vertices, for weldVertices: it answers exactly what the
// linear findWeldTarget answers (the lowest-numbered vertex within 0.01 in every
// component), in near-constant time per corner.
//
// Positions are bucketed into cubic cells 0.1 wide, ten times the weld distance, with
// borders at 0.05 + k * 0.1, so a corner's match lies in its own cell or, when the corner
// is within 0.01 of a border, in the next cell across it. Each vertex is therefore listed
// in its own cell and in the (up to 7) neighbouring cells from which it can be matched; a
// search then reads one cell, whose list is in increasing vertex order, and its first
// candidate that passes the exact weld rule is the answer. A vertex with any NaN or
// infinite component can never match (every comparison with it fails), so it is neither
// stored nor searched for.
class WeldIndex {
public:
    // Reads the welded lists (held by reference, which must outlive the index) whenever a
    // vertex is inserted or a candidate checked. `expectedCorners` sizes the table up
    // front (a hint only: the table grows as needed).
    WeldIndex(const std::vector<glm::vec3>& weldedPositions, const std::vector<glm::vec2>& weldedUvs,
              const std::vector<glm::vec3>& weldedNormals, std::size_t expectedCorners = 0);

    // Makes welded vertex `vertex` findable. Vertices are inserted in increasing order.
    void insert(std::uint32_t vertex);

    // The lowest-numbered inserted vertex the corner welds onto, or -1 when there is none.
    std::int64_t findLowest(const glm::vec3& position, const glm::vec2& uv, const glm::vec3& normal) const;

private:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
    // One cell (its three cell numbers packed into 21 bits each) and the vertices it
    // lists, as a chain of entries in increasing vertex order.
    struct Slot {
        std::uint64_t key = 0;
        std::uint32_t first = kNone;
        std::uint32_t last = kNone;
    };
    struct ListEntry {
        std::uint32_t vertex = 0;
        std::uint32_t next = kNone;
    };

    const Slot* findSlot(std::uint64_t key) const;
    Slot& slotFor(std::uint64_t key);
    void grow();

    const std::vector<glm::vec3>& positions;
    const std::vector<glm::vec2>& uvs;
    const std::vector<glm::vec3>& normals;
    std::vector<Slot> slots;  // open addressing, linear probing; size is a power of two
    std::size_t usedSlots = 0;
    std::vector<ListEntry> entries;
};

}  // namespace zarnhold
