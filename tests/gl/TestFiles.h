#pragma once

#include <array>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

// Small files the GL tests write for themselves under /tmp, named for the process: tests of
// two checkouts (or two ctest jobs) running at once must not write each other's files.

inline std::string testFilePath(const std::string& name) {
    return "/tmp/zarnhold-gltest-" + std::to_string(getpid()) + "-" + name;
}

inline void putLe32(std::vector<unsigned char>& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

// A standard 24-bit bitmap of `width` x `height` whose pixel (x, y) (y = 0 is the bottom
// row) is pixel(x, y) as {blue, green, red}. Returns its path.
template <typename Pixel>
std::string writeTestBmp(const std::string& name, int width, int height, Pixel pixel) {
    const int stride = (width * 3 + 3) / 4 * 4;
    std::vector<unsigned char> bytes(54 + stride * height, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    putLe32(bytes, 2, static_cast<std::uint32_t>(bytes.size()));
    putLe32(bytes, 10, 54);
    putLe32(bytes, 14, 40);
    putLe32(bytes, 18, static_cast<std::uint32_t>(width));
    putLe32(bytes, 22, static_cast<std::uint32_t>(height));
    bytes[26] = 1;
    bytes[28] = 24;
    putLe32(bytes, 34, static_cast<std::uint32_t>(stride * height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::array<unsigned char, 3> bgr = pixel(x, y);
            std::copy(bgr.begin(), bgr.end(), bytes.begin() + 54 + y * stride + x * 3);
        }
    }
    const std::string path = testFilePath(name + ".bmp");
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

// A one-colour picture.
inline std::string writeFlatBmp(const std::string& name, unsigned char blue, unsigned char green,
                                unsigned char red) {
    return writeTestBmp(name, 4, 4, [=](int, int) { return std::array<unsigned char, 3>{blue, green, red}; });
}

inline std::string writeTestShader(const std::string& name, const std::string& source) {
    const std::string path = testFilePath(name);
    std::ofstream(path) << source;
    return path;
}
