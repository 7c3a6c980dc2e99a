// The generated models and pictures: each one the game opens is there, loads through the
// game's own loaders without a word, and has the shape its user relies on. Runs in the
// game folder, where the build has written External/Models.
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <glm/glm.hpp>
#include <gtest/gtest.h>

#include "scene/BmpLoader.h"
#include "scene/ObjLoader.h"
#include "scene/Object3D.h"

using namespace zarnhold;

namespace {

namespace fs = std::filesystem;

std::vector<unsigned char> readBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(file), {});
}

// Loads a model by its game path; `printed` gets what the loader said.
std::vector<Triangle> loadModel(const std::string& gamePath, std::string& printed) {
    Object3D object;
    testing::internal::CaptureStdout();
    readObjModel(object, gamePath);
    printed = testing::internal::GetCapturedStdout();
    return object.triangles;
}

std::vector<Triangle> loadModel(const std::string& gamePath) {
    std::string printed;
    return loadModel(gamePath, printed);
}

struct Bounds {
    glm::vec3 low{1e9f};
    glm::vec3 high{-1e9f};
    glm::vec3 size() const { return high - low; }
};

Bounds boundsOf(const std::vector<Triangle>& triangles) {
    Bounds b;
    for (const Triangle& t : triangles) {
        for (const glm::vec3& p : t.positions) {
            b.low = glm::min(b.low, p);
            b.high = glm::max(b.high, p);
        }
    }
    return b;
}

// Positive for a closed surface wound counter-clockwise seen from outside.
float signedVolume(const std::vector<Triangle>& triangles) {
    float volume = 0.0f;
    for (const Triangle& t : triangles) {
        volume += glm::dot(t.positions[0], glm::cross(t.positions[1], t.positions[2])) / 6.0f;
    }
    return volume;
}

bool isPowerOfTwo(int n) {
    return n > 0 && (n & (n - 1)) == 0;
}

unsigned readU32(const std::vector<unsigned char>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<unsigned>(b[at + 3]) << 24);
}

const char* const kModels[] = {
    "External\\Models\\Levels\\Level1n.obj", "External\\Models\\Lightcrystal.obj",
    "External\\Models\\crystal.obj",         "External\\Models\\sword.obj",
    "External\\Models\\Enemy.obj",           "External\\Models\\Arms.obj",
    "External\\Models\\shield.obj",          "External\\Models\\Screen.obj",
};

const char* const kPictures[] = {
    "External/Models/Levels/level.bmp",  "External/Models/Levels/levelnormals.bmp",
    "External/Models/lightcrystal.bmp",  "External/Models/lightcrystalnormals.bmp",
    "External/Models/enemy.bmp",         "External/Models/enemynormals.bmp",
    "External/Models/sword.bmp",         "External/Models/shield.bmp",
    "External/Models/cubeMap/posX.bmp",  "External/Models/cubeMap/posY.bmp",
    "External/Models/cubeMap/posZ.bmp",  "External/Models/cubeMap/negX.bmp",
    "External/Models/cubeMap/negY.bmp",  "External/Models/cubeMap/negZ.bmp",
    "External/Models/Intro.bmp",         "External/Models/Loading.bmp",
    "External/Models/GameOver.bmp",      "External/Models/GameWin.bmp",
    "External/Models/GameOverSlain.bmp", "External/Models/GameOverFell.bmp",
    "External/Models/Help.bmp",          "External/Models/Options.bmp",
    "External/Models/Paused.bmp",
};

}  // namespace

TEST(AssetFiles, EveryModelLoadsSilentlyWithFaceNormalsThatMatchItsWinding) {
    for (const char* path : kModels) {
        std::string printed;
        const std::vector<Triangle> triangles = loadModel(path, printed);
        EXPECT_EQ(printed, "") << path;
        ASSERT_GT(triangles.size(), 0u) << path;
        size_t disagreeing = 0;
        for (const Triangle& t : triangles) {
            const glm::vec3 winding =
                glm::cross(t.positions[1] - t.positions[0], t.positions[2] - t.positions[0]);
            for (const glm::vec3& n : t.normals) {
                if (glm::dot(glm::normalize(winding), n) < 0.99f || std::abs(glm::length(n) - 1.0f) > 0.01f) {
                    ++disagreeing;
                }
            }
        }
        EXPECT_EQ(disagreeing, 0u) << path;
    }
}

TEST(AssetFiles, EveryPictureIsAnUncompressed24BitBitmapWithPowerOfTwoSides) {
    for (const char* path : kPictures) {
        const std::vector<unsigned char> bytes = readBytes(path);
        ASSERT_GE(bytes.size(), 54u) << path;
        BmpImage image;
        testing::internal::CaptureStdout();
        const bool parsed = parseBmp(bytes, image);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << path;
        ASSERT_TRUE(parsed) << path;
        EXPECT_TRUE(isPowerOfTwo(image.width) && isPowerOfTwo(image.height)) << path;
        EXPECT_EQ(readU32(bytes, 10), 54u) << path;           // pixels right behind the header
        EXPECT_EQ(bytes[28] | (bytes[29] << 8), 24) << path;  // bits per pixel
        EXPECT_EQ(readU32(bytes, 30), 0u) << path;            // no compression
        EXPECT_EQ(readU32(bytes, 34), image.rowStride() * image.height) << path;
        EXPECT_EQ(bytes.size(), 54u + image.rowStride() * image.height) << path;
    }
    BmpImage intro;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(parseBmp(readBytes("External/Models/Intro.bmp"), intro));
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(intro.width, 2048);
    EXPECT_EQ(intro.height, 1024);
}

TEST(AssetFiles, ThePicturesAreDistinctAndNotBlank) {
    const char* const screens[] = {"External/Models/Intro.bmp",         "External/Models/Loading.bmp",
                                   "External/Models/GameOver.bmp",      "External/Models/GameWin.bmp",
                                   "External/Models/GameOverSlain.bmp", "External/Models/GameOverFell.bmp"};
    std::vector<std::vector<unsigned char>> seen;
    for (const char* path : screens) {
        const std::vector<unsigned char> bytes = readBytes(path);
        ASSERT_GT(bytes.size(), 54u) << path;
        // Bright text over a dark ground: both extremes are present.
        int darkest = 255, brightest = 0;
        for (size_t i = 54; i < bytes.size(); ++i) {
            darkest = std::min<int>(darkest, bytes[i]);
            brightest = std::max<int>(brightest, bytes[i]);
        }
        EXPECT_LT(darkest, 20) << path;
        EXPECT_GT(brightest, 200) << path;
        for (const auto& other : seen) {
            EXPECT_NE(bytes, other) << path;
        }
        seen.push_back(bytes);
    }
}

TEST(AssetFiles, TheScreenBoxFillsTheScreenCameraWithTheWholePicture) {
    const std::vector<Triangle> triangles = loadModel("External\\Models\\Screen.obj");
    // The screens draw exactly 36 corners.
    ASSERT_EQ(triangles.size(), 12u);
    // The camera, 3.3 in front, sees +-2.3 tan(22.5 deg) at the front face z = 1.
    const float visible = 2.3f * std::tan(glm::radians(22.5f));
    Bounds front;
    int frontTriangles = 0;
    for (const Triangle& t : triangles) {
        const glm::vec3 winding =
            glm::cross(t.positions[1] - t.positions[0], t.positions[2] - t.positions[0]);
        if (std::abs(t.positions[0].z - 1.0f) < 1e-4f && std::abs(t.positions[1].z - 1.0f) < 1e-4f &&
            std::abs(t.positions[2].z - 1.0f) < 1e-4f) {
            ++frontTriangles;
            EXPECT_GT(winding.z, 0.0f);  // counter-clockwise towards the camera
            for (int k = 0; k < 3; ++k) {
                front.low = glm::min(front.low, t.positions[k]);
                front.high = glm::max(front.high, t.positions[k]);
                // u runs with x and v with y, 0 to 1 across the face: v = 0 at the bottom.
                const glm::vec3& p = t.positions[k];
                EXPECT_NEAR(t.uvs[k].x, p.x > 0.0f ? 1.0f : 0.0f, 1e-4f);
                EXPECT_NEAR(t.uvs[k].y, p.y > 0.0f ? 1.0f : 0.0f, 1e-4f);
            }
        }
    }
    EXPECT_EQ(frontTriangles, 2);
    EXPECT_LE(front.low.x, -visible);
    EXPECT_LE(front.low.y, -visible);
    EXPECT_GE(front.high.x, visible);
    EXPECT_GE(front.high.y, visible);
    EXPECT_LT(front.high.x, visible + 0.05f);  // and only a hair more: the picture is not cropped
    EXPECT_GT(signedVolume(triangles), 0.0f);
}

TEST(AssetFiles, PropsFaceOutwardsAndHaveTheSizesTheGamePlacesThemAt) {
    // The creature: two units tall in its own space, standing on y = 0, arms hanging from
    // the shoulder point (0, 1.3, 0.2).
    const std::vector<Triangle> enemy = loadModel("External\\Models\\Enemy.obj");
    const Bounds body = boundsOf(enemy);
    EXPECT_NEAR(body.low.y, 0.0f, 0.02f);
    EXPECT_NEAR(body.high.y, 2.0f, 0.1f);
    EXPECT_GT(signedVolume(enemy), 0.0f);
    const Bounds arms = boundsOf(loadModel("External\\Models\\Arms.obj"));
    EXPECT_NEAR(arms.high.y, 1.3f, 0.2f);
    EXPECT_LT(arms.low.y, 0.6f);
    EXPECT_NEAR(0.5f * (arms.low.x + arms.high.x), 0.0f, 0.01f);
    EXPECT_GT(arms.low.z, -0.1f);

    // The sword: along y, the tip at -y, about 1.2 from grip to tip. Held 0.2 before the eye
    // at a tenth of its size, a longer blade reaches past the top of the view.
    const std::vector<Triangle> sword = loadModel("External\\Models\\sword.obj");
    const Bounds blade = boundsOf(sword);
    EXPECT_NEAR(blade.low.y, -1.2f, 0.1f);
    EXPECT_LT(blade.high.y, 0.4f);
    EXPECT_LT(blade.size().x, 0.5f);
    EXPECT_LT(blade.size().z, 0.12f);
    EXPECT_GT(signedVolume(sword), 0.0f);

    // The shield: 3 to 4 across (held 0.2 before the eye at a scale of 0.05, larger hides
    // the dungeon), its face (and boss) towards -z, seen by its holder.
    const std::vector<Triangle> shield = loadModel("External\\Models\\shield.obj");
    const Bounds disc = boundsOf(shield);
    EXPECT_GE(disc.size().x, 3.0f);
    EXPECT_LE(disc.size().x, 4.0f);
    EXPECT_LT(disc.low.z, -0.4f);
    EXPECT_LT(disc.high.z, 0.3f);
    EXPECT_GT(signedVolume(shield), 0.0f);

    // The light crystal: about half a unit tall, its back at z = -0.1 against the wall.
    const std::vector<Triangle> lightCrystal = loadModel("External\\Models\\Lightcrystal.obj");
    const Bounds mount = boundsOf(lightCrystal);
    EXPECT_NEAR(mount.low.z, -0.1f, 0.02f);
    EXPECT_NEAR(mount.size().y, 0.55f, 0.1f);
    EXPECT_LT(mount.high.z, 0.3f);
    EXPECT_GT(signedVolume(lightCrystal), 0.0f);

    // The goal crystal: about one unit tall around its origin.
    const std::vector<Triangle> goal = loadModel("External\\Models\\crystal.obj");
    const Bounds cluster = boundsOf(goal);
    EXPECT_NEAR(cluster.size().y, 1.0f, 0.15f);
    EXPECT_LT(glm::length(0.5f * (cluster.low + cluster.high)), 0.15f);
    EXPECT_GT(signedVolume(goal), 0.0f);
}

TEST(AssetFiles, TheGeneratorWritesTheSameBytesEveryRun) {
    // The tool lives beside the game folder in the build tree.
    const fs::path tool = ZARNHOLD_ASSET_TOOL;
    ASSERT_TRUE(fs::exists(tool)) << tool;
    std::string pattern = (fs::temp_directory_path() / "zarnhold_assets_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const fs::path fresh = pattern;
    const std::string command = "\"" + tool.string() + "\" \"" + fresh.string() + "\" > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    size_t compared = 0;
    for (const auto& entry : fs::recursive_directory_iterator(fresh / "External/Models")) {
        if (!entry.is_regular_file()) {
            continue;
        }
        const fs::path relative = fs::relative(entry.path(), fresh);
        EXPECT_EQ(readBytes(entry.path().string()), readBytes(relative.string())) << relative;
        ++compared;
    }
    // Screen, level and its rooms, two crystals, creature, arms, sword, shield, their 23
    // pictures and the 18 sounds.
    EXPECT_EQ(compared, 50u);
    fs::remove_all(fresh);
}
