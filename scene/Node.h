#pragma once

#include <vector>

#include <glm/glm.hpp>

#include "scene/Triangle.h"

namespace zarnhold {

// A scene-graph node. Its modelMatrix is used as is: nothing combines it with a
// parent's. The tree only groups nodes for traversal; children are not owned.
class Node {
public:
    virtual ~Node() = default;

    // Asks every child, in order, to append its corner positions to `vertices`;
    // returns a copy of the list.
    virtual std::vector<glm::vec3> collectVertices(std::vector<glm::vec3>& vertices);
    // Same pattern with whole triangles.
    virtual std::vector<Triangle> collectTriangles(std::vector<Triangle>& triangles);
    // Position-only draw into a depth pass with `program`; a plain node draws nothing.
    virtual void drawDepth(unsigned int program);
    // False only when nothing this node draws in depth can lie within `distance` of
    // `point` (render frame). A plain node draws nothing, but answers true.
    virtual bool mayReach(const glm::vec3& point, float distance) const;

    std::vector<Node*> children;
    glm::mat4 modelMatrix{1.0f};
    // Set by shadow casters that never move during a run (the level, the light crystals):
    // lights keep their depths in a cache instead of drawing them every frame.
    bool fixedInPlace = false;
};

// Draws `node`, then its subtree depth first, parent before children.
void drawSubtreeDepth(Node& node, unsigned int program);

}  // namespace zarnhold
