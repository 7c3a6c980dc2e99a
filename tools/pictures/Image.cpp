#include "tools/pictures/Image.h"

#include <algorithm>
#include <cmath>

namespace zarnhold_assets {

Image::Image(int width, int height, glm::vec3 fill)
    : w(width), h(height), pixels(static_cast<size_t>(width) * height, fill) {}

glm::vec3 Image::sample(float x, float y) const {
    const float fx = std::clamp(x - 0.5f, 0.0f, static_cast<float>(w - 1));
    const float fy = std::clamp(y - 0.5f, 0.0f, static_cast<float>(h - 1));
    const int x0 = static_cast<int>(fx);
    const int y0 = static_cast<int>(fy);
    const int x1 = std::min(x0 + 1, w - 1);
    const int y1 = std::min(y0 + 1, h - 1);
    const float tx = fx - x0;
    const float ty = fy - y0;
    const glm::vec3 top = glm::mix(at(x0, y0), at(x1, y0), tx);
    const glm::vec3 bottom = glm::mix(at(x0, y1), at(x1, y1), tx);
    return glm::mix(top, bottom, ty);
}

Image Image::resized(int newWidth, int newHeight) const {
    Image out(newWidth, newHeight);
    const float sx = static_cast<float>(w) / newWidth;
    const float sy = static_cast<float>(h) / newHeight;
    for (int y = 0; y < newHeight; ++y) {
        for (int x = 0; x < newWidth; ++x) {
            out.at(x, y) = sample((x + 0.5f) * sx, (y + 0.5f) * sy);
        }
    }
    return out;
}

Mask::Mask(int width, int height, float fill)
    : w(width), h(height), values(static_cast<size_t>(width) * height, fill) {}

float Mask::get(int x, int y) const {
    if (x < 0 || y < 0 || x >= w || y >= h) {
        return 0.0f;
    }
    return at(x, y);
}

namespace {

// One box-blur pass along a line of n values spaced `stride` apart, with a running sum.
void blurLine(const float* in, float* out, int n, int stride, int radius) {
    const float scale = 1.0f / (2 * radius + 1);
    float sum = 0.0f;
    for (int i = -radius; i <= radius; ++i) {
        if (i >= 0 && i < n) {
            sum += in[static_cast<size_t>(i) * stride];
        }
    }
    for (int i = 0; i < n; ++i) {
        out[static_cast<size_t>(i) * stride] = sum * scale;
        const int leaving = i - radius;
        const int entering = i + radius + 1;
        if (leaving >= 0) {
            sum -= in[static_cast<size_t>(leaving) * stride];
        }
        if (entering < n) {
            sum += in[static_cast<size_t>(entering) * stride];
        }
    }
}

}  // namespace

Mask Mask::blurred(int radius) const {
    Mask a = *this;
    Mask b(w, h);
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < h; ++y) {
            blurLine(&a.values[static_cast<size_t>(y) * w], &b.values[static_cast<size_t>(y) * w], w, 1,
                     radius);
        }
        for (int x = 0; x < w; ++x) {
            blurLine(&b.values[x], &a.values[x], h, w, radius);
        }
    }
    return a;
}

Mask Mask::shifted(int dx, int dy) const {
    Mask out(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            out.at(x, y) = get(x - dx, y - dy);
        }
    }
    return out;
}

}  // namespace zarnhold_assets
