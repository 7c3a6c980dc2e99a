#include "tools/pictures/NormalMap.h"

#include <algorithm>

#include <glm/glm.hpp>

namespace zarnhold_assets {

Image normalMapFromHeight(const Mask& height, float strength, bool wrap) {
    const int w = height.width();
    const int h = height.height();
    Image out(w, h);
    auto at = [&](int x, int y) {
        if (wrap) {
            return height.at((x + w) % w, (y + h) % h);
        }
        return height.at(std::clamp(x, 0, w - 1), std::clamp(y, 0, h - 1));
    };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const float dhdu = 0.5f * (at(x + 1, y) - at(x - 1, y));
            // Rows run down the picture while v runs up it.
            const float dhdv = -0.5f * (at(x, y + 1) - at(x, y - 1));
            const glm::vec3 n = glm::normalize(glm::vec3(-strength * dhdu, -strength * dhdv, 1.0f));
            out.at(x, y) = 0.5f + 0.5f * n;
        }
    }
    return out;
}

}  // namespace zarnhold_assets
