#include "tools/meshes/Mesh.h"

#include <cmath>

namespace zarnhold_assets {

void Mesh::addTriangle(const Corner& a, const Corner& b, const Corner& c) {
    const glm::vec3 n = glm::cross(b.position - a.position, c.position - a.position);
    const float length = glm::length(n);
    if (length < 1e-7f) {
        return;
    }
    MeshTriangle t;
    t.corners[0] = a;
    t.corners[1] = b;
    t.corners[2] = c;
    t.normal = n / length;
    list.push_back(t);
}

void Mesh::addQuad(const Corner& a, const Corner& b, const Corner& c, const Corner& d) {
    addTriangle(a, b, c);
    addTriangle(a, c, d);
}

void Mesh::append(const Mesh& other) {
    list.insert(list.end(), other.list.begin(), other.list.end());
}

void Mesh::transform(const glm::mat4& matrix) {
    const glm::mat3 normalMatrix = glm::transpose(glm::inverse(glm::mat3(matrix)));
    // A mirroring matrix would turn every face inside out: swap two corners to keep the
    // winding counter-clockwise seen from the front.
    const bool mirrors = glm::determinant(glm::mat3(matrix)) < 0.0f;
    for (MeshTriangle& t : list) {
        for (Corner& c : t.corners) {
            c.position = glm::vec3(matrix * glm::vec4(c.position, 1.0f));
        }
        if (mirrors) {
            std::swap(t.corners[1], t.corners[2]);
        }
        t.normal = glm::normalize(normalMatrix * t.normal);
    }
}

glm::vec2 worldUv(glm::vec3 position, glm::vec3 normal, float unitsPerRepeat) {
    glm::vec3 tangent;
    glm::vec3 bitangent;
    if (std::abs(normal.y) > 0.7f) {
        tangent = glm::vec3(1.0f, 0.0f, 0.0f);
        bitangent = glm::cross(normal, tangent);
    } else {
        bitangent = glm::vec3(0.0f, 1.0f, 0.0f);
        tangent = glm::normalize(glm::cross(bitangent, normal));
    }
    return glm::vec2(glm::dot(position, tangent), glm::dot(position, bitangent)) / unitsPerRepeat;
}

}  // namespace zarnhold_assets
