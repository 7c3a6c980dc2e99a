#include "scene/BmpLoader.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "scene/FilePath.h"
#include "scene/LittleEndian.h"

namespace zarnhold {

namespace {

constexpr std::size_t kHeaderSize = 54;
constexpr std::int64_t kMaxSide = 16384;

std::int32_t readI32(const std::vector<unsigned char>& bytes, std::size_t offset) {
    const std::uint32_t raw = readU32(bytes, offset);
    std::int32_t value = 0;
    std::memcpy(&value, &raw, sizeof value);
    return value;
}

bool rejectBmp() {
    std::printf("Not a correct BMP file\n");
    return false;
}

}  // namespace

bool parseBmp(const std::vector<unsigned char>& fileBytes, BmpImage& out) {
    if (fileBytes.size() < kHeaderSize || fileBytes[0] != 'B' || fileBytes[1] != 'M') {
        return rejectBmp();
    }
    // Writers with a larger info header put the pixels further on; the header says where.
    const std::uint32_t pixelOffset = readU32(fileBytes, 10);
    const std::int64_t width = readI32(fileBytes, 18);
    const std::int64_t signedHeight = readI32(fileBytes, 22);
    const std::uint16_t bitCount = readU16(fileBytes, 28);
    const std::uint32_t compression = readU32(fileBytes, 30);
    const std::uint32_t sizeField = readU32(fileBytes, 34);
    const std::int64_t height = signedHeight < 0 ? -signedHeight : signedHeight;
    if (pixelOffset < kHeaderSize || width <= 0 || height == 0 || width > kMaxSide || height > kMaxSide ||
        bitCount != 24 || compression != 0) {
        return rejectBmp();
    }

    BmpImage image;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    const std::size_t stride = image.rowStride();
    const std::size_t bufferSize = stride * static_cast<std::size_t>(height);
    // Size 0 means "as the rows need", padding included, so odd widths keep their last row.
    const std::size_t declared = sizeField != 0 ? sizeField : bufferSize;
    const std::size_t available = pixelOffset < fileBytes.size() ? fileBytes.size() - pixelOffset : 0;
    const std::size_t copied = std::min({declared, available, bufferSize});
    // Whatever the file lacks stays black.
    image.pixels.assign(bufferSize, 0);
    std::copy_n(
        fileBytes.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(pixelOffset, fileBytes.size())),
        copied, image.pixels.begin());

    if (signedHeight < 0) {
        // Top-down file: the first row stored is the top one; GL wants the bottom first.
        for (std::size_t top = 0, bottom = static_cast<std::size_t>(height) - 1; top < bottom;
             ++top, --bottom) {
            std::swap_ranges(image.pixels.begin() + top * stride, image.pixels.begin() + (top + 1) * stride,
                             image.pixels.begin() + bottom * stride);
        }
    }
    out = std::move(image);
    return true;
}

bool readBmpFile(const char* path, BmpImage& out) {
    std::vector<unsigned char> bytes;
    if (!readGameFile(path, bytes)) {
        std::printf("Image could not be opened: %s\n", localPath(path).c_str());
        return false;
    }
    return parseBmp(bytes, out);
}

}  // namespace zarnhold
