#include "tools/meshes/WeldCount.h"

#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace {

struct Vertex {
    glm::vec3 position;
    glm::vec2 uv;
    glm::vec3 normal;
};

bool near(float a, float b) {
    return std::abs(a - b) < 0.01f;
}

bool matches(const Vertex& a, const Vertex& b) {
    return near(a.position.x, b.position.x) && near(a.position.y, b.position.y) &&
           near(a.position.z, b.position.z) && near(a.uv.x, b.uv.x) && near(a.uv.y, b.uv.y) &&
           near(a.normal.x, b.normal.x) && near(a.normal.y, b.normal.y) && near(a.normal.z, b.normal.z);
}

// Cells 0.01 wide: a match lies in the corner's own cell or one of its 26 neighbours.
std::int64_t cellKey(std::int64_t x, std::int64_t y, std::int64_t z) {
    return (x * 73856093) ^ (y * 19349663) ^ (z * 83492791);
}

}  // namespace

std::size_t countWeldedVertices(const Mesh& mesh) {
    std::vector<Vertex> welded;
    std::unordered_map<std::int64_t, std::vector<std::size_t>> cells;
    for (const MeshTriangle& t : mesh.triangles()) {
        for (const Corner& c : t.corners) {
            const Vertex v{c.position, c.uv, t.normal};
            const std::int64_t cx = static_cast<std::int64_t>(std::floor(c.position.x / 0.01f));
            const std::int64_t cy = static_cast<std::int64_t>(std::floor(c.position.y / 0.01f));
            const std::int64_t cz = static_cast<std::int64_t>(std::floor(c.position.z / 0.01f));
            bool found = false;
            for (int dx = -1; dx <= 1 && !found; ++dx) {
                for (int dy = -1; dy <= 1 && !found; ++dy) {
                    for (int dz = -1; dz <= 1 && !found; ++dz) {
                        const auto cell = cells.find(cellKey(cx + dx, cy + dy, cz + dz));
                        if (cell == cells.end()) {
                            continue;
                        }
                        for (std::size_t index : cell->second) {
                            if (matches(v, welded[index])) {
                                found = true;
                                break;
                            }
                        }
                    }
                }
            }
            if (!found) {
                cells[cellKey(cx, cy, cz)].push_back(welded.size());
                welded.push_back(v);
            }
        }
    }
    return welded.size();
}
