// Any bytes as a BMP file: either refused, or a picture whose pixel buffer is exactly the
// rows GL will read (the texture upload trusts that size).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "scene/BmpLoader.h"

using namespace zarnhold;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::freopen("/dev/null", "w", stdout);
    const std::vector<unsigned char> bytes(data, data + size);
    BmpImage image;
    if (!parseBmp(bytes, image)) return 0;
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != image.rowStride() * static_cast<std::size_t>(image.height)) {
        std::abort();
    }
    return 0;
}
