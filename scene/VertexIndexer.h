#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include <glm/glm.hpp>

namespace zarnhold {

// Tangent frames and welding for a mesh's corner lists: three corners per triangle, in
// triangle order; entry i of every list belongs to corner i. Plain lists, no GL.

// Element indices are 16 bits wide, so one mesh addresses at most this many welded vertices.
constexpr std::size_t kMaxWeldedVertices = 65536;

// True exactly when |a - b|, rounded to float, is below 0.01f. Any NaN compares unequal.
bool nearlyEqual(float a, float b);

// True when a corner welds onto a welded vertex: position x, y, z, uv u, v and normal
// x, y, z each nearlyEqual. Tangents take no part.
bool weldMatches(const glm::vec3& position, const glm::vec2& uv, const glm::vec3& normal,
                 const glm::vec3& weldedPosition, const glm::vec2& weldedUv, const glm::vec3& weldedNormal);

struct WeldTarget {
    bool found = false;
    std::uint16_t index = 0;
};

// The reference search: linear over the welded vertices, the lowest-numbered match wins.
// weldVertices gives the same answers through a WeldIndex.
WeldTarget findWeldTarget(const glm::vec3& position, const glm::vec2& uv, const glm::vec3& normal,
                          const std::vector<glm::vec3>& weldedPositions,
                          const std::vector<glm::vec2>& weldedUvs,
                          const std::vector<glm::vec3>& weldedNormals);

// Appends one tangent and one bitangent per corner. The tangent is made orthogonal to the
// corner's normal, normalised, and flipped for mirrored uvs; the bitangent stays as the
// triangle gave it. A triangle with no uv area gives non-finite values (not guarded).
void computeTangents(const std::vector<glm::vec3>& positions, const std::vector<glm::vec2>& uvs,
                     const std::vector<glm::vec3>& normals, std::vector<glm::vec3>& tangents,
                     std::vector<glm::vec3>& bitangents);

// Merges corners that agree within 0.01 in position, uv and normal: appends one index per
// corner and one welded vertex per distinct corner, in order of first appearance; merged
// corners add their tangent and bitangent to the welded vertex's sums. A corner joins the
// lowest-numbered welded vertex it matches. A mesh needing more than kMaxWeldedVertices
// prints one line and gets no output at all (the lists keep what they held on entry);
// the result is then false.
bool weldVertices(const std::vector<glm::vec3>& positions, const std::vector<glm::vec2>& uvs,
                  const std::vector<glm::vec3>& normals, const std::vector<glm::vec3>& tangents,
                  const std::vector<glm::vec3>& bitangents, std::vector<std::uint16_t>& indices,
                  std::vector<glm::vec3>& weldedPositions, std::vector<glm::vec2>& weldedUvs,
                  std::vector<glm::vec3>& weldedNormals, std::vector<glm::vec3>& weldedTangents,
                  std::vector<glm::vec3>& weldedBitangents);

// The same weld over the plain linear findWeldTarget: quadratic, kept as the reference
// that weldVertices must reproduce exactly (tests and the benchmark compare the two).
bool weldVerticesLinear(const std::vector<glm::vec3>& positions, const std::vector<glm::vec2>& uvs,
                        const std::vector<glm::vec3>& normals, const std::vector<glm::vec3>& tangents,
                        const std::vector<glm::vec3>& bitangents, std::vector<std::uint16_t>& indices,
                        std::vector<glm::vec3>& weldedPositions, std::vector<glm::vec2>& weldedUvs,
                        std::vector<glm::vec3>& weldedNormals, std::vector<glm::vec3>& weldedTangents,
                        std::vector<glm::vec3>& weldedBitangents);

}  // namespace zarnhold
