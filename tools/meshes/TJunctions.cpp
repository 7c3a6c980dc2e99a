#include "tools/meshes/TJunctions.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <utility>
#include <vector>

namespace zarnhold_assets {

namespace {

// The level file keeps four decimals: positions closer than that are one point.
constexpr float kGrid = 1e4f;
constexpr float kOnEdge = 1e-4f;

using Key = std::array<long, 3>;

Key keyOf(const glm::vec3& p) {
    return {std::lround(p.x * kGrid), std::lround(p.y * kGrid), std::lround(p.z * kGrid)};
}

std::pair<Key, Key> edgeKey(const glm::vec3& a, const glm::vec3& b) {
    const Key ka = keyOf(a), kb = keyOf(b);
    return ka < kb ? std::make_pair(ka, kb) : std::make_pair(kb, ka);
}

class Closer {
public:
    explicit Closer(const Mesh& mesh) {
        std::map<Key, glm::vec3> unique;
        for (const MeshTriangle& t : mesh.triangles()) {
            for (int i = 0; i < 3; ++i) {
                unique.emplace(keyOf(t.corners[i].position), t.corners[i].position);
                ++edgeUses[edgeKey(t.corners[i].position, t.corners[(i + 1) % 3].position)];
            }
        }
        for (const auto& entry : unique) points.push_back(entry.second);
    }

    // `open[i]`: the edge from corner i to i + 1 is (part of) an edge no other triangle shares.
    void add(const Corner& a, const Corner& b, const Corner& c, std::array<bool, 3> open, Mesh& out) const {
        const Corner corners[3] = {a, b, c};
        for (int e = 0; e < 3; ++e) {
            if (!open[e]) continue;
            const Corner& from = corners[e];
            const Corner& to = corners[(e + 1) % 3];
            const Corner& across = corners[(e + 2) % 3];
            const std::vector<Corner> inner = cornersAlong(from, to);
            if (inner.empty()) continue;
            // Fan from the corner across: each piece keeps the triangle's other two edges
            // where they were, and only the first and last piece still hold one of them.
            std::vector<Corner> run = {from};
            run.insert(run.end(), inner.begin(), inner.end());
            run.push_back(to);
            for (size_t i = 0; i + 1 < run.size(); ++i) {
                const bool first = i == 0, last = i + 2 == run.size();
                // Corner order (run[i], run[i+1], across) keeps the winding; its edges are
                // the piece of this edge, then towards `across`, then back.
                add(run[i], run[i + 1], across,
                    {false, last && open[(e + 1) % 3], first && open[(e + 2) % 3]}, out);
            }
            return;
        }
        out.addTriangle(a, b, c);
    }

    bool isOpen(const glm::vec3& a, const glm::vec3& b) const {
        const auto found = edgeUses.find(edgeKey(a, b));
        return found != edgeUses.end() && found->second == 1;
    }

private:
    // Corners of the mesh strictly between `from` and `to` on the segment, in order, with
    // texture coordinates interpolated along it.
    std::vector<Corner> cornersAlong(const Corner& from, const Corner& to) const {
        const glm::vec3 along = to.position - from.position;
        const float lengthSquared = glm::dot(along, along);
        std::vector<std::pair<float, Corner>> found;
        for (const glm::vec3& p : points) {
            const float s = glm::dot(p - from.position, along) / lengthSquared;
            const float room = kOnEdge / std::sqrt(lengthSquared);
            if (s <= room || s >= 1.0f - room) continue;
            if (glm::length(from.position + s * along - p) >= kOnEdge) continue;
            found.push_back({s, Corner{p, from.uv + s * (to.uv - from.uv)}});
        }
        std::sort(found.begin(), found.end(), [](const auto& x, const auto& y) { return x.first < y.first; });
        std::vector<Corner> inner;
        for (const auto& entry : found) inner.push_back(entry.second);
        return inner;
    }

    std::map<std::pair<Key, Key>, int> edgeUses;
    std::vector<glm::vec3> points;
};

}  // namespace

Mesh closeTJunctions(const Mesh& mesh) {
    const Closer closer(mesh);
    Mesh closed;
    for (const MeshTriangle& t : mesh.triangles()) {
        std::array<bool, 3> open{};
        for (int i = 0; i < 3; ++i) {
            open[i] = closer.isOpen(t.corners[i].position, t.corners[(i + 1) % 3].position);
        }
        closer.add(t.corners[0], t.corners[1], t.corners[2], open, closed);
    }
    return closed;
}

}  // namespace zarnhold_assets
