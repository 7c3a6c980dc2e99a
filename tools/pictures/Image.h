#pragma once

#include <vector>

#include <glm/glm.hpp>

namespace zarnhold_assets {

// An RGB picture of linear-ish floats in [0, 1], row 0 at the top, as it is designed.
// The BMP writer flips it to the file's bottom-up order.
class Image {
public:
    Image() = default;
    Image(int width, int height, glm::vec3 fill = glm::vec3(0.0f));

    int width() const { return w; }
    int height() const { return h; }
    glm::vec3& at(int x, int y) { return pixels[static_cast<size_t>(y) * w + x]; }
    const glm::vec3& at(int x, int y) const { return pixels[static_cast<size_t>(y) * w + x]; }

    // Bilinear sample at pixel-centre coordinates (0.5, 0.5 is the centre of pixel 0, 0),
    // clamped at the border.
    glm::vec3 sample(float x, float y) const;
    // This picture stretched to another size with bilinear filtering.
    Image resized(int newWidth, int newHeight) const;

private:
    int w = 0;
    int h = 0;
    std::vector<glm::vec3> pixels;
};

// A single-channel coverage or height field, same layout as Image.
class Mask {
public:
    Mask() = default;
    Mask(int width, int height, float fill = 0.0f);

    int width() const { return w; }
    int height() const { return h; }
    float& at(int x, int y) { return values[static_cast<size_t>(y) * w + x]; }
    float at(int x, int y) const { return values[static_cast<size_t>(y) * w + x]; }
    // Reads outside the mask give 0, so shapes fade out at the border.
    float get(int x, int y) const;

    // A box blur of the given radius in pixels, run three times: close to a Gaussian.
    Mask blurred(int radius) const;
    // This mask moved by (dx, dy) pixels; what comes in from outside is 0.
    Mask shifted(int dx, int dy) const;

private:
    int w = 0;
    int h = 0;
    std::vector<float> values;
};

}  // namespace zarnhold_assets
