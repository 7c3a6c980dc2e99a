#include "tools/pictures/BmpWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

#include "tools/LittleEndianFields.h"

namespace zarnhold_assets {

namespace {

unsigned char toByte(float value) {
    return static_cast<unsigned char>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

}  // namespace

std::vector<unsigned char> encodeBmp(const Image& image) {
    const int width = image.width();
    const int height = image.height();
    const size_t rowBytes = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
    const size_t dataBytes = rowBytes * height;
    std::vector<unsigned char> out(54 + dataBytes, 0);

    out[0] = 'B';
    out[1] = 'M';
    putU32(out, 2, static_cast<std::uint32_t>(out.size()));
    putU32(out, 10, 54);
    putU32(out, 14, 40);
    putU32(out, 18, static_cast<std::uint32_t>(width));
    putU32(out, 22, static_cast<std::uint32_t>(height));
    putU16(out, 26, 1);
    putU16(out, 28, 24);
    putU32(out, 30, 0);
    putU32(out, 34, static_cast<std::uint32_t>(dataBytes));
    // 2835 pixels per metre is 72 dpi; readers ignore it but expect a value.
    putU32(out, 38, 2835);
    putU32(out, 42, 2835);

    for (int row = 0; row < height; ++row) {
        // The file's first row is the picture's bottom row.
        const int y = height - 1 - row;
        unsigned char* dst = &out[54 + rowBytes * row];
        for (int x = 0; x < width; ++x) {
            const glm::vec3& c = image.at(x, y);
            dst[3 * x] = toByte(c.b);
            dst[3 * x + 1] = toByte(c.g);
            dst[3 * x + 2] = toByte(c.r);
        }
    }
    return out;
}

bool writeBmp(const std::string& path, const Image& image) {
    const std::vector<unsigned char> bytes = encodeBmp(image);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace zarnhold_assets
