#include "tools/pictures/PngWriter.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <fstream>

#include "tools/pictures/Checksums.h"

namespace zarnhold_assets {

namespace {

// A stored deflate block holds at most this many bytes (its length is 16 bits).
constexpr std::size_t kStoredBlockBytes = 65535;

void appendU32BigEndian(std::vector<unsigned char>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<unsigned char>((value >> shift) & 0xFFu));
    }
}

void appendU16LittleEndian(std::vector<unsigned char>& out, std::uint16_t value) {
    out.push_back(static_cast<unsigned char>(value & 0xFFu));
    out.push_back(static_cast<unsigned char>(value >> 8));
}

unsigned char toByte(float value) {
    return static_cast<unsigned char>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

// The picture as PNG scanlines: each row starts with filter type 0 (none), then RGBA.
std::vector<unsigned char> scanlines(const Image& colour, const Mask& alpha) {
    std::vector<unsigned char> raw;
    raw.reserve(static_cast<std::size_t>(colour.height()) *
                (1 + 4 * static_cast<std::size_t>(colour.width())));
    for (int y = 0; y < colour.height(); ++y) {
        raw.push_back(0);
        for (int x = 0; x < colour.width(); ++x) {
            const glm::vec3& c = colour.at(x, y);
            raw.push_back(toByte(c.r));
            raw.push_back(toByte(c.g));
            raw.push_back(toByte(c.b));
            raw.push_back(toByte(alpha.at(x, y)));
        }
    }
    return raw;
}

// A zlib stream of `raw` in stored deflate blocks: the two-byte header (deflate, 32 KiB
// window, no dictionary), the blocks, then Adler-32 of `raw`, most significant byte first.
std::vector<unsigned char> zlibStored(const std::vector<unsigned char>& raw) {
    std::vector<unsigned char> out = {0x78, 0x01};
    std::size_t at = 0;
    do {
        const std::size_t count = std::min(kStoredBlockBytes, raw.size() - at);
        const bool last = at + count == raw.size();
        // Bit 0 marks the last block; block type 00 (stored) fills the rest of the byte.
        out.push_back(last ? 1 : 0);
        appendU16LittleEndian(out, static_cast<std::uint16_t>(count));
        appendU16LittleEndian(out, static_cast<std::uint16_t>(~count & 0xFFFFu));
        out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
                   raw.begin() + static_cast<std::ptrdiff_t>(at + count));
        at += count;
    } while (at < raw.size());
    appendU32BigEndian(out, adler32(raw));
    return out;
}

// Appends one chunk: length, type, data, and CRC-32 over type and data.
void appendChunk(std::vector<unsigned char>& out, const char (&type)[5],
                 const std::vector<unsigned char>& data) {
    appendU32BigEndian(out, static_cast<std::uint32_t>(data.size()));
    std::vector<unsigned char> typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    appendU32BigEndian(out, crc32(typed));
}

std::vector<unsigned char> header(const Image& colour) {
    std::vector<unsigned char> data;
    appendU32BigEndian(data, static_cast<std::uint32_t>(colour.width()));
    appendU32BigEndian(data, static_cast<std::uint32_t>(colour.height()));
    // 8 bits a channel, colour type 6 (RGBA), deflate, adaptive filters, no interlace.
    data.insert(data.end(), {8, 6, 0, 0, 0});
    return data;
}

}  // namespace

std::vector<unsigned char> encodePng(const Image& colour, const Mask& alpha) {
    assert(colour.width() == alpha.width() && colour.height() == alpha.height());
    std::vector<unsigned char> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    appendChunk(out, "IHDR", header(colour));
    appendChunk(out, "IDAT", zlibStored(scanlines(colour, alpha)));
    appendChunk(out, "IEND", {});
    return out;
}

bool writePng(const std::string& path, const Image& colour, const Mask& alpha) {
    const std::vector<unsigned char> bytes = encodePng(colour, alpha);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace zarnhold_assets
