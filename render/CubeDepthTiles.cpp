#include "render/CubeDepthTiles.h"

#include <algorithm>

namespace zarnhold {

void CubeDepthTiles::setFace(int face, const std::vector<float>& depths, int size) {
    tilesAcross = size / tileSize;
    std::vector<float>& tiles = farthest[face];
    tiles.assign(static_cast<std::size_t>(tilesAcross) * tilesAcross, 0.0f);
    for (int y = 0; y < size; ++y) {
        float* row = &tiles[static_cast<std::size_t>(y / tileSize) * tilesAcross];
        const float* texel = &depths[static_cast<std::size_t>(y) * size];
        for (int x = 0; x < size; ++x) {
            float& tile = row[x / tileSize];
            tile = std::max(tile, texel[x]);
        }
    }
}

bool CubeDepthTiles::ready() const {
    return std::all_of(std::begin(farthest), std::end(farthest),
                       [](const std::vector<float>& tiles) { return !tiles.empty(); });
}

float CubeDepthTiles::farthestIn(int face, const FaceRect& rect) const {
    const std::vector<float>& tiles = farthest[face];
    if (tiles.empty() || rect.empty()) {
        return 1.0f;
    }
    const int x0 = std::max(0, rect.x0 / tileSize), y0 = std::max(0, rect.y0 / tileSize);
    const int x1 = std::min(tilesAcross - 1, (rect.x1 - 1) / tileSize);
    const int y1 = std::min(tilesAcross - 1, (rect.y1 - 1) / tileSize);
    float result = 0.0f;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            result = std::max(result, tiles[static_cast<std::size_t>(y) * tilesAcross + x]);
        }
    }
    return result;
}

bool mayLightPast(const CubeDepthTiles& fixed, glm::vec3 lightPosition, glm::vec3 low, glm::vec3 high,
                  int size) {
    const glm::vec3 nearestPoint = glm::clamp(lightPosition, low, high);
    const float reachFloor = litDepthFloor(glm::length(nearestPoint - lightPosition));
    if (!(reachFloor > 0.0f)) {
        return true;
    }
    for (int face = 0; face < 6; ++face) {
        const FaceRect rect = shadowFaceRectOfBox(shadowFaceMatrix(lightPosition, face), low, high, size);
        if (!rect.empty() && !(fixed.farthestIn(face, rect) < reachFloor)) {
            return true;
        }
    }
    return false;
}

}  // namespace zarnhold
