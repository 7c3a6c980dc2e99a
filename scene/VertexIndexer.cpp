#include "scene/VertexIndexer.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdio>

#include "scene/WeldIndex.h"

namespace zarnhold {

bool nearlyEqual(float a, float b) {
    const float difference = a - b;
    return std::fabs(difference) < 0.01f;
}

bool weldMatches(const glm::vec3& position, const glm::vec2& uv, const glm::vec3& normal,
                 const glm::vec3& weldedPosition, const glm::vec2& weldedUv, const glm::vec3& weldedNormal) {
    return nearlyEqual(position.x, weldedPosition.x) && nearlyEqual(position.y, weldedPosition.y) &&
           nearlyEqual(position.z, weldedPosition.z) && nearlyEqual(uv.x, weldedUv.x) &&
           nearlyEqual(uv.y, weldedUv.y) && nearlyEqual(normal.x, weldedNormal.x) &&
           nearlyEqual(normal.y, weldedNormal.y) && nearlyEqual(normal.z, weldedNormal.z);
}

WeldTarget findWeldTarget(const glm::vec3& position, const glm::vec2& uv, const glm::vec3& normal,
                          const std::vector<glm::vec3>& weldedPositions,
                          const std::vector<glm::vec2>& weldedUvs,
                          const std::vector<glm::vec3>& weldedNormals) {
    for (std::size_t j = 0; j < weldedPositions.size(); ++j) {
        if (weldMatches(position, uv, normal, weldedPositions[j], weldedUvs[j], weldedNormals[j])) {
            return {true, static_cast<std::uint16_t>(j)};
        }
    }
    return {};
}

void computeTangents(const std::vector<glm::vec3>& positions, const std::vector<glm::vec2>& uvs,
                     const std::vector<glm::vec3>& normals, std::vector<glm::vec3>& tangents,
                     std::vector<glm::vec3>& bitangents) {
    assert(positions.size() % 3 == 0);
    assert(uvs.size() == positions.size() && normals.size() == positions.size());
    const std::size_t first = tangents.size();
    assert(bitangents.size() == first);

    for (std::size_t i = 0; i + 2 < positions.size(); i += 3) {
        const glm::vec3 deltaPos1 = positions[i + 1] - positions[i];
        const glm::vec3 deltaPos2 = positions[i + 2] - positions[i];
        const glm::vec2 deltaUv1 = uvs[i + 1] - uvs[i];
        const glm::vec2 deltaUv2 = uvs[i + 2] - uvs[i];
        const float r = 1.0f / (deltaUv1.x * deltaUv2.y - deltaUv1.y * deltaUv2.x);
        const glm::vec3 tangent = (deltaPos1 * deltaUv2.y - deltaPos2 * deltaUv1.y) * r;
        const glm::vec3 bitangent = (deltaPos2 * deltaUv1.x - deltaPos1 * deltaUv2.x) * r;
        tangents.insert(tangents.end(), 3, tangent);
        bitangents.insert(bitangents.end(), 3, bitangent);
    }

    for (std::size_t i = 0; i < positions.size(); ++i) {
        const glm::vec3& n = normals[i];
        const glm::vec3& b = bitangents[first + i];
        glm::vec3& t = tangents[first + i];
        // Gram-Schmidt: the part of the tangent along the normal is removed, then the rest
        // is scaled to unit length (times 1/length, as the shaders expect).
        const glm::vec3 orthogonal = t - n * glm::dot(n, t);
        t = orthogonal * (1.0f / std::sqrt(glm::dot(orthogonal, orthogonal)));
        // Mirrored uvs: the frame must stay right-handed with the bitangent.
        if (glm::dot(glm::cross(n, t), b) < 0.0f) {
            t = t * -1.0f;
        }
    }
}

namespace {

// The weld itself, over a search for the lowest-numbered matching vertex: `search` has
// find(position, uv, normal) -> index or -1, and added(index) for each new vertex.
template <typename Search>
bool weldCorners(Search& search, const std::vector<glm::vec3>& positions, const std::vector<glm::vec2>& uvs,
                 const std::vector<glm::vec3>& normals, const std::vector<glm::vec3>& tangents,
                 const std::vector<glm::vec3>& bitangents, std::vector<std::uint16_t>& indices,
                 std::vector<glm::vec3>& weldedPositions, std::vector<glm::vec2>& weldedUvs,
                 std::vector<glm::vec3>& weldedNormals, std::vector<glm::vec3>& weldedTangents,
                 std::vector<glm::vec3>& weldedBitangents) {
    assert(uvs.size() == positions.size() && normals.size() == positions.size());
    assert(tangents.size() == positions.size() && bitangents.size() == positions.size());
    const std::size_t firstIndex = indices.size();
    const std::size_t firstWelded = weldedPositions.size();
    assert(weldedUvs.size() == firstWelded && weldedNormals.size() == firstWelded);
    assert(weldedTangents.size() == firstWelded && weldedBitangents.size() == firstWelded);
    assert(firstWelded <= kMaxWeldedVertices);

    indices.reserve(firstIndex + positions.size());
    const std::size_t mostNew = std::min(positions.size(), kMaxWeldedVertices - firstWelded);
    weldedPositions.reserve(firstWelded + mostNew);
    weldedUvs.reserve(firstWelded + mostNew);
    weldedNormals.reserve(firstWelded + mostNew);
    weldedTangents.reserve(firstWelded + mostNew);
    weldedBitangents.reserve(firstWelded + mostNew);
    // A rejected mesh must leave the sums of vertices that were already there untouched.
    const std::vector<glm::vec3> earlierTangents(weldedTangents);
    const std::vector<glm::vec3> earlierBitangents(weldedBitangents);

    for (std::size_t i = 0; i < positions.size(); ++i) {
        const std::int64_t target = search.find(positions[i], uvs[i], normals[i]);
        if (target >= 0) {
            indices.push_back(static_cast<std::uint16_t>(target));
            weldedTangents[static_cast<std::size_t>(target)] += tangents[i];
            weldedBitangents[static_cast<std::size_t>(target)] += bitangents[i];
            continue;
        }
        if (weldedPositions.size() >= kMaxWeldedVertices) {
            // A 65,537th vertex would wrap the 16-bit indices onto other vertices.
            std::printf("Mesh needs more than %zu vertices: it is left empty\n", kMaxWeldedVertices);
            indices.resize(firstIndex);
            weldedPositions.resize(firstWelded);
            weldedUvs.resize(firstWelded);
            weldedNormals.resize(firstWelded);
            weldedTangents = earlierTangents;
            weldedBitangents = earlierBitangents;
            return false;
        }
        const std::size_t newVertex = weldedPositions.size();
        weldedPositions.push_back(positions[i]);
        weldedUvs.push_back(uvs[i]);
        weldedNormals.push_back(normals[i]);
        weldedTangents.push_back(tangents[i]);
        weldedBitangents.push_back(bitangents[i]);
        search.added(newVertex);
        indices.push_back(static_cast<std::uint16_t>(newVertex));
    }
    return true;
}

struct HashedSearch {
    WeldIndex index;
    std::int64_t find(const glm::vec3& p, const glm::vec2& uv, const glm::vec3& n) const {
        return index.findLowest(p, uv, n);
    }
    void added(std::size_t vertex) { index.insert(static_cast<std::uint32_t>(vertex)); }
};

struct LinearSearch {
    const std::vector<glm::vec3>& positions;
    const std::vector<glm::vec2>& uvs;
    const std::vector<glm::vec3>& normals;
    std::int64_t find(const glm::vec3& p, const glm::vec2& uv, const glm::vec3& n) const {
        const WeldTarget target = findWeldTarget(p, uv, n, positions, uvs, normals);
        return target.found ? target.index : -1;
    }
    void added(std::size_t) {}
};

}  // namespace

bool weldVertices(const std::vector<glm::vec3>& positions, const std::vector<glm::vec2>& uvs,
                  const std::vector<glm::vec3>& normals, const std::vector<glm::vec3>& tangents,
                  const std::vector<glm::vec3>& bitangents, std::vector<std::uint16_t>& indices,
                  std::vector<glm::vec3>& weldedPositions, std::vector<glm::vec2>& weldedUvs,
                  std::vector<glm::vec3>& weldedNormals, std::vector<glm::vec3>& weldedTangents,
                  std::vector<glm::vec3>& weldedBitangents) {
    // Vertices already in the lists take part in the search, as they would in a linear one.
    HashedSearch search{WeldIndex(weldedPositions, weldedUvs, weldedNormals, positions.size())};
    for (std::size_t j = 0; j < weldedPositions.size(); ++j) {
        search.added(j);
    }
    return weldCorners(search, positions, uvs, normals, tangents, bitangents, indices, weldedPositions,
                       weldedUvs, weldedNormals, weldedTangents, weldedBitangents);
}

bool weldVerticesLinear(const std::vector<glm::vec3>& positions, const std::vector<glm::vec2>& uvs,
                        const std::vector<glm::vec3>& normals, const std::vector<glm::vec3>& tangents,
                        const std::vector<glm::vec3>& bitangents, std::vector<std::uint16_t>& indices,
                        std::vector<glm::vec3>& weldedPositions, std::vector<glm::vec2>& weldedUvs,
                        std::vector<glm::vec3>& weldedNormals, std::vector<glm::vec3>& weldedTangents,
                        std::vector<glm::vec3>& weldedBitangents) {
    LinearSearch search{weldedPositions, weldedUvs, weldedNormals};
    return weldCorners(search, positions, uvs, normals, tangents, bitangents, indices, weldedPositions,
                       weldedUvs, weldedNormals, weldedTangents, weldedBitangents);
}

}  // namespace zarnhold
