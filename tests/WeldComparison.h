#pragma once

// The hashed weld and the plain corner-by-corner weld over the linear findWeldTarget, run
// on the same corners, and their outputs compared bit for bit (so that NaN sums compare
// as well). The weld test and the weld benchmark both hold the first to the second.
#include <cstdint>
#include <cstring>
#include <vector>

#include "scene/VertexIndexer.h"

namespace zarnhold {

// Corner lists of a mesh together with the tangent frame the weld is given.
struct WeldCorners {
    std::vector<glm::vec3> positions;
    std::vector<glm::vec2> uvs;
    std::vector<glm::vec3> normals;
    std::vector<glm::vec3> tangents;
    std::vector<glm::vec3> bitangents;

    void add(const glm::vec3& p, const glm::vec2& uv, const glm::vec3& n,
             const glm::vec3& t = glm::vec3(1.0f, 0.0f, 0.0f),
             const glm::vec3& b = glm::vec3(0.0f, 1.0f, 0.0f)) {
        positions.push_back(p);
        uvs.push_back(uv);
        normals.push_back(n);
        tangents.push_back(t);
        bitangents.push_back(b);
    }
};

struct Welded {
    bool ok = false;
    std::vector<std::uint16_t> indices;
    std::vector<glm::vec3> positions;
    std::vector<glm::vec2> uvs;
    std::vector<glm::vec3> normals;
    std::vector<glm::vec3> tangents;
    std::vector<glm::vec3> bitangents;
};

inline Welded weld(const WeldCorners& c) {
    Welded w;
    w.ok = weldVertices(c.positions, c.uvs, c.normals, c.tangents, c.bitangents, w.indices, w.positions,
                        w.uvs, w.normals, w.tangents, w.bitangents);
    return w;
}

inline Welded weldLinear(const WeldCorners& c) {
    Welded w;
    w.ok = weldVerticesLinear(c.positions, c.uvs, c.normals, c.tangents, c.bitangents, w.indices, w.positions,
                              w.uvs, w.normals, w.tangents, w.bitangents);
    return w;
}

template <typename T>
bool sameBits(const std::vector<T>& a, const std::vector<T>& b) {
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

inline bool sameWeld(const Welded& a, const Welded& b) {
    return a.ok == b.ok && a.indices == b.indices && sameBits(a.positions, b.positions) &&
           sameBits(a.uvs, b.uvs) && sameBits(a.normals, b.normals) && sameBits(a.tangents, b.tangents) &&
           sameBits(a.bitangents, b.bitangents);
}

}  // namespace zarnhold
