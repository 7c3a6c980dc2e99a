#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

#include "scene/BmpLoader.h"

using namespace zarnhold;

namespace {

const char* const kNotBmp = "Not a correct BMP file\n";

struct Header {
    std::int32_t width = 2;
    std::int32_t height = 2;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t sizeField = 0;
    char magic0 = 'B';
    char magic1 = 'M';
};

void put32(std::vector<unsigned char>& bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<unsigned char>(value >> (8 * i));
    }
}

// A 54-byte header followed by `pixelBytes`.
std::vector<unsigned char> makeBmp(const Header& h, const std::vector<unsigned char>& pixelBytes) {
    std::vector<unsigned char> bytes(54 + pixelBytes.size(), 0);
    std::copy(pixelBytes.begin(), pixelBytes.end(), bytes.begin() + 54);
    bytes[0] = static_cast<unsigned char>(h.magic0);
    bytes[1] = static_cast<unsigned char>(h.magic1);
    put32(bytes, 2, static_cast<std::uint32_t>(54 + pixelBytes.size()));
    put32(bytes, 10, 54);
    put32(bytes, 14, 40);
    put32(bytes, 18, static_cast<std::uint32_t>(h.width));
    put32(bytes, 22, static_cast<std::uint32_t>(h.height));
    bytes[26] = 1;
    bytes[28] = static_cast<unsigned char>(h.bitCount);
    bytes[29] = static_cast<unsigned char>(h.bitCount >> 8);
    put32(bytes, 30, h.compression);
    put32(bytes, 34, h.sizeField);
    return bytes;
}

// Bytes 1, 2, 3, ... so that every byte's place can be checked.
std::vector<unsigned char> counting(std::size_t count) {
    std::vector<unsigned char> bytes(count);
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<unsigned char>(i + 1);
    }
    return bytes;
}

struct Parsed {
    bool ok = false;
    std::string printed;
    BmpImage image;
};

Parsed parse(const std::vector<unsigned char>& bytes) {
    Parsed result;
    testing::internal::CaptureStdout();
    result.ok = parseBmp(bytes, result.image);
    result.printed = testing::internal::GetCapturedStdout();
    return result;
}

}  // namespace

TEST(ParseBmp, StandardFileGivesItsRowsAsStored) {
    // 2 x 2: rows of 6 bytes padded to 8.
    const std::vector<unsigned char> data = counting(16);
    Header h;
    h.sizeField = 16;
    const Parsed p = parse(makeBmp(h, data));
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.printed, "");
    EXPECT_EQ(p.image.width, 2);
    EXPECT_EQ(p.image.height, 2);
    EXPECT_EQ(p.image.rowStride(), 8u);
    EXPECT_EQ(p.image.pixels, data);
}

TEST(ParseBmp, PixelsAreReadFromTheOffsetTheHeaderGives) {
    // A writer with a 124-byte info header: the pixels start at byte 138, not 54.
    const std::vector<unsigned char> data = counting(16);
    std::vector<unsigned char> bytes = makeBmp(Header{}, std::vector<unsigned char>(84, 0xEE));
    bytes.insert(bytes.end(), data.begin(), data.end());
    put32(bytes, 10, 138);
    Parsed p = parse(bytes);
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.image.pixels, data);

    // An offset past the end leaves every row black; one inside the header is refused.
    put32(bytes, 10, static_cast<std::uint32_t>(bytes.size() + 10));
    p = parse(bytes);
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.image.pixels, std::vector<unsigned char>(16, 0));
    put32(bytes, 10, 53);
    p = parse(bytes);
    EXPECT_FALSE(p.ok);
    EXPECT_EQ(p.printed, kNotBmp);
}

TEST(ParseBmp, SizeFieldZeroCountsTheRowPaddingSoOddWidthsKeepTheirLastRow) {
    for (int width : {1, 2, 3, 5, 7}) {
        Header h;
        h.width = width;
        h.height = 3;
        const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
        const std::vector<unsigned char> data = counting(stride * 3);
        const Parsed p = parse(makeBmp(h, data));
        ASSERT_TRUE(p.ok) << width;
        EXPECT_EQ(p.image.rowStride(), stride) << width;
        EXPECT_EQ(p.image.pixels, data) << width;
    }
}

TEST(ParseBmp, ANonZeroSizeFieldIsTrustedUpToWhatTheFileAndImageHold) {
    Header h;
    h.width = 3;  // stride 12
    h.height = 2;

    // Smaller than the image: the rest stays zero.
    h.sizeField = 5;
    Parsed p = parse(makeBmp(h, counting(24)));
    ASSERT_TRUE(p.ok);
    std::vector<unsigned char> expected(24, 0);
    for (int i = 0; i < 5; ++i) expected[i] = static_cast<unsigned char>(i + 1);
    EXPECT_EQ(p.image.pixels, expected);

    // Larger than the image, and the file holds more than the image: only the image is taken.
    h.sizeField = 1000;
    p = parse(makeBmp(h, counting(40)));
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.image.pixels, counting(24));

    // Larger than the file: what the file has, then zeros.
    h.sizeField = 24;
    p = parse(makeBmp(h, counting(10)));
    ASSERT_TRUE(p.ok);
    expected.assign(24, 0);
    for (int i = 0; i < 10; ++i) expected[i] = static_cast<unsigned char>(i + 1);
    EXPECT_EQ(p.image.pixels, expected);
}

TEST(ParseBmp, FileEndingEarlyGivesZeroRowsForWhatIsMissing) {
    Header h;
    h.width = 4;  // stride 12
    h.height = 3;
    Parsed p = parse(makeBmp(h, counting(13)));
    ASSERT_TRUE(p.ok);
    ASSERT_EQ(p.image.pixels.size(), 36u);
    std::vector<unsigned char> expected(36, 0);
    for (int i = 0; i < 13; ++i) expected[i] = static_cast<unsigned char>(i + 1);
    EXPECT_EQ(p.image.pixels, expected);

    // Nothing behind the header at all.
    p = parse(makeBmp(h, {}));
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.image.pixels, std::vector<unsigned char>(36, 0));
}

TEST(ParseBmp, TopDownFileIsTurnedBottomRowFirst) {
    Header h;
    h.width = 1;  // stride 4
    h.height = -3;
    // Stored top row first: rows A, B, C.
    const std::vector<unsigned char> topDown = {'A', 'A', 'A', 0, 'B', 'B', 'B', 0, 'C', 'C', 'C', 0};
    Parsed p = parse(makeBmp(h, topDown));
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.image.height, 3);
    EXPECT_EQ(p.image.pixels,
              (std::vector<unsigned char>{'C', 'C', 'C', 0, 'B', 'B', 'B', 0, 'A', 'A', 'A', 0}));

    // Missing data are the bottom rows of a top-down file.
    h.height = -2;
    p = parse(makeBmp(h, {'A', 'A', 'A', 0}));
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.image.pixels, (std::vector<unsigned char>{0, 0, 0, 0, 'A', 'A', 'A', 0}));
}

TEST(ParseBmp, RejectsWhatIsNotAnUncompressed24BitBitmapOfSaneSize) {
    struct Case {
        const char* what;
        Header header;
    };
    std::vector<Case> cases;
    auto add = [&](const char* what, auto change) {
        Header h;
        change(h);
        cases.push_back({what, h});
    };
    add("BA variant", [](Header& h) { h.magic1 = 'A'; });
    add("no B", [](Header& h) { h.magic0 = 'X'; });
    add("width 0", [](Header& h) { h.width = 0; });
    add("height 0", [](Header& h) { h.height = 0; });
    add("negative width", [](Header& h) { h.width = -2; });
    add("width 16385", [](Header& h) { h.width = 16385; });
    add("height 16385", [](Header& h) { h.height = 16385; });
    add("height -16385", [](Header& h) { h.height = -16385; });
    add("height most negative", [](Header& h) { h.height = INT32_MIN; });
    add("width most negative", [](Header& h) { h.width = INT32_MIN; });
    add("32 bits", [](Header& h) { h.bitCount = 32; });
    add("8 bits", [](Header& h) { h.bitCount = 8; });
    add("RLE", [](Header& h) { h.compression = 1; });
    add("bit fields", [](Header& h) { h.compression = 3; });
    for (const Case& c : cases) {
        const Parsed p = parse(makeBmp(c.header, counting(16)));
        EXPECT_FALSE(p.ok) << c.what;
        EXPECT_EQ(p.printed, kNotBmp) << c.what;
    }

    for (std::size_t length : {0u, 2u, 53u}) {
        std::vector<unsigned char> shortFile = makeBmp(Header{}, {});
        shortFile.resize(length);
        const Parsed p = parse(shortFile);
        EXPECT_FALSE(p.ok) << length << " bytes";
        EXPECT_EQ(p.printed, kNotBmp) << length << " bytes";
    }
}

TEST(ParseBmp, AcceptsTheLargestSides) {
    Header h;
    h.width = 16384;
    h.height = 1;
    Parsed p = parse(makeBmp(h, {}));
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.image.pixels.size(), 16384u * 3);
    h.width = 1;
    h.height = -16384;
    p = parse(makeBmp(h, {}));
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.image.height, 16384);
    EXPECT_EQ(p.image.pixels.size(), 4u * 16384);
}

TEST(ReadBmpFile, FilesThatCannotBeOpenedOrDecodedGiveFalse) {
    testing::internal::CaptureStdout();
    BmpImage image;
    EXPECT_FALSE(readBmpFile("External\\Models\\no-such-picture.bmp", image));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Image could not be opened: External/Models/no-such-picture.bmp\n");

    char folderTemplate[] = "/tmp/zarnhold-bmp-XXXXXX";
    const std::string folder = mkdtemp(folderTemplate);
    const std::string path = folder + "/odd.bmp";
    {
        Header h;
        h.magic1 = 'A';
        const std::vector<unsigned char> bytes = makeBmp(h, counting(16));
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    testing::internal::CaptureStdout();
    EXPECT_FALSE(readBmpFile((folder + "\\odd.bmp").c_str(), image));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), kNotBmp);
    std::remove(path.c_str());
    rmdir(folder.c_str());
}
