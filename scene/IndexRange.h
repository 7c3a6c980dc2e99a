#pragma once

#include <cstddef>

#include <glm/glm.hpp>

namespace zarnhold {

// A run of a mesh's element buffer: `count` indices from index number `first`, the part
// of the screen (normalised device coordinates) its triangles can show on (nothing of them
// is drawn outside it), and the lights (bit i for light i of the list) that may reach any
// of its triangles.
struct IndexRange {
    std::size_t first = 0;
    std::size_t count = 0;
    glm::vec2 screenLow{-1.0f};
    glm::vec2 screenHigh{1.0f};
    unsigned int lightMask = ~0u;
};

}  // namespace zarnhold
