#include "scene/Node.h"

namespace zarnhold {

std::vector<glm::vec3> Node::collectVertices(std::vector<glm::vec3>& vertices) {
    for (Node* child : children) {
        child->collectVertices(vertices);
    }
    return vertices;
}

std::vector<Triangle> Node::collectTriangles(std::vector<Triangle>& triangles) {
    for (Node* child : children) {
        child->collectTriangles(triangles);
    }
    return triangles;
}

void Node::drawDepth(unsigned int) {}

bool Node::mayReach(const glm::vec3&, float) const {
    return true;
}

void drawSubtreeDepth(Node& node, unsigned int program) {
    node.drawDepth(program);
    for (Node* child : node.children) {
        drawSubtreeDepth(*child, program);
    }
}

}  // namespace zarnhold
