// Loaders and mesh upload against a real GL context.
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <GL/glew.h>
#include <gtest/gtest.h>

#include "app/Screen.h"
#include "scene/BmpLoader.h"
#include "scene/BmpTexture.h"
#include "scene/Object3D.h"
#include "scene/ShaderLoader.h"
#include "tests/gl/GlContext.h"
#include "tests/gl/TestFiles.h"
#include "tests/gl/TestFramebuffer.h"

using namespace zarnhold;

namespace {

const char* vertexSource = "#version 150 core\nin vec3 p;\nvoid main() { gl_Position = vec4(p, 1.0); }\n";
const char* fragmentSource = "#version 150 core\nout vec4 c;\nvoid main() { c = vec4(1.0); }\n";

GLint linkStatus(GLuint program) {
    GLint status = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &status);
    return status;
}

}  // namespace

TEST(ShaderProgramGl, CleanLinkPrintsAnEmptyLogLineAndBrokenOnePrintsTheDriversLog) {
    const std::string vertex = writeTestShader("ok.vert", vertexSource);
    const std::string fragment = writeTestShader("ok.frag", fragmentSource);

    testing::internal::CaptureStdout();
    const GLuint good = buildShaderProgram(vertex, fragment, nullptr);
    const std::string goodLog = testing::internal::GetCapturedStdout();
    EXPECT_NE(good, 0u);
    EXPECT_EQ(linkStatus(good), GL_TRUE);
    EXPECT_EQ(goodLog, "\n");

    testing::internal::CaptureStdout();
    const GLuint missing = buildShaderProgram("/tmp/zarnhold-no-such.vert", fragment, nullptr);
    const std::string missingLog = testing::internal::GetCapturedStdout();
    EXPECT_NE(missing, 0u);
    EXPECT_EQ(linkStatus(missing), GL_FALSE);
    ASSERT_GE(missingLog.size(), 2u);
    EXPECT_EQ(missingLog.back(), '\n');
}

TEST(BmpTextureGl, OddWidthPictureUploadsRowByRowWithMipmaps) {
    auto pattern = [](int x, int y) {
        return std::array<unsigned char, 3>{static_cast<unsigned char>(10 * x + y),
                                            static_cast<unsigned char>(200 - 7 * y),
                                            static_cast<unsigned char>(x * y + 3)};
    };
    const int width = 5, height = 3;
    const std::string path = writeTestBmp("odd", width, height, pattern);
    testing::internal::CaptureStdout();
    const GLuint texture = readBmpTexture(path.c_str(), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    ASSERT_NE(texture, 0u);

    GLint boundTexture = 0, minFilter = 0, magFilter = 0, w = 0, h = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &boundTexture);
    EXPECT_EQ(static_cast<GLuint>(boundTexture), texture);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(magFilter, GL_LINEAR);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    EXPECT_EQ(w, width);
    EXPECT_EQ(h, height);
    GLint topLevelWidth = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 2, GL_TEXTURE_WIDTH, &topLevelWidth);
    EXPECT_EQ(topLevelWidth, 1) << "the mipmap chain reaches 1x1";

    // Read back tightly packed so the comparison does not depend on row padding.
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    std::vector<unsigned char> pixels(width * height * 3);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_BGR, GL_UNSIGNED_BYTE, pixels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const auto expected = pattern(x, y);
            for (int c = 0; c < 3; ++c) {
                EXPECT_EQ(pixels[(y * width + x) * 3 + c], expected[c]) << x << "," << y << " c" << c;
            }
        }
    }
    glDeleteTextures(1, &texture);
}

TEST(BmpTextureGl, MissingFileGivesNameZero) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(readBmpTexture("External\\Models\\no-such-picture.bmp", nullptr), 0u);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Image could not be opened: External/Models/no-such-picture.bmp\n");
}

TEST(MeshUploadGl, BuffersHoldTheWeldedVerticesAndIndices) {
    Object3D mesh;
    // Two triangles sharing an edge: four welded vertices, six indices.
    mesh.addTriangle(0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1);
    mesh.addTriangle(1, 0, 0, 1, 1, 0, 0, 1, 0, 1, 0, 1, 1, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1);
    testing::internal::CaptureStdout();
    mesh.uploadMesh(nullptr);
    testing::internal::GetCapturedStdout();

    auto bufferSize = [](GLenum target, GLuint buffer) {
        GLint size = -1;
        glBindBuffer(target, buffer);
        glGetBufferParameteriv(target, GL_BUFFER_SIZE, &size);
        return size;
    };
    EXPECT_EQ(bufferSize(GL_ARRAY_BUFFER, mesh.positionBuffer), 4 * 12);
    EXPECT_EQ(bufferSize(GL_ARRAY_BUFFER, mesh.uvBuffer), 4 * 8);
    EXPECT_EQ(bufferSize(GL_ARRAY_BUFFER, mesh.normalBuffer), 4 * 12);
    EXPECT_EQ(bufferSize(GL_ARRAY_BUFFER, mesh.tangentBuffer), 4 * 12);
    EXPECT_EQ(bufferSize(GL_ARRAY_BUFFER, mesh.bitangentBuffer), 4 * 12);
    EXPECT_EQ(bufferSize(GL_ELEMENT_ARRAY_BUFFER, mesh.elementBuffer), 6 * 2);
    EXPECT_NE(mesh.program, 0u);
    EXPECT_EQ(linkStatus(mesh.program), GL_TRUE);
    EXPECT_EQ(mesh.textureSamplerLocation, glGetUniformLocation(mesh.program, "myTextureSampler"));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    const GLuint elementBuffer = mesh.elementBuffer;
    Object3D copy;
    copy.copyMeshFrom(mesh);
    EXPECT_EQ(&copy.meshData(), &mesh.meshData()) << "one copy, shared";
    EXPECT_EQ(copy.meshData().elementBuffer, elementBuffer);
    EXPECT_EQ(copy.meshData().indices.size(), 6u);
    EXPECT_EQ(copy.program, mesh.program);
}

TEST(ScreenGl, PictureFillsTheFramebufferWhateverTheCamera) {
    // Four quadrants of distinct colours, so a flipped or shifted picture shows.
    auto quadrants = [](int x, int y) {
        const bool right = x >= 8, top = y >= 8;
        if (!right && !top) return std::array<unsigned char, 3>{0, 0, 255};  // red
        if (right && !top) return std::array<unsigned char, 3>{0, 255, 0};   // green
        if (!right && top) return std::array<unsigned char, 3>{255, 0, 0};   // blue
        return std::array<unsigned char, 3>{255, 255, 255};                  // white
    };
    const std::string path = writeTestBmp("quadrants", 16, 16, quadrants);

    TestFramebuffer target(testWidth, testHeight);
    ASSERT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));

    Screen screen(path);
    testing::internal::CaptureStdout();
    screen.init();
    EXPECT_EQ(screen.triangles.size(), 12u);
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(log, "\n") << "screen program link log";
    EXPECT_EQ(screen.drawCount(), 36);

    glViewport(0, 0, testWidth, testHeight);
    useGameDrawState();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    screen.render(glm::mat4(0.0f), glm::mat4(0.0f), {});

    std::vector<unsigned char> pixels(testWidth * testHeight * 4);
    glReadPixels(0, 0, testWidth, testHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    auto at = [&](int x, int y) {
        const unsigned char* p = &pixels[(y * testWidth + x) * 4];
        return std::array<int, 3>{p[0], p[1], p[2]};
    };
    EXPECT_EQ(at(400, 225), (std::array<int, 3>{255, 0, 0}));
    EXPECT_EQ(at(1200, 225), (std::array<int, 3>{0, 255, 0}));
    EXPECT_EQ(at(400, 675), (std::array<int, 3>{0, 0, 255}));
    EXPECT_EQ(at(1200, 675), (std::array<int, 3>{255, 255, 255}));
    // The picture reaches the window's corners: nothing of the black clear colour is left.
    for (auto [x, y] :
         {std::pair{2, 2}, {testWidth - 3, 2}, {2, testHeight - 3}, {testWidth - 3, testHeight - 3}}) {
        const auto c = at(x, y);
        EXPECT_GT(c[0] + c[1] + c[2], 200) << "corner " << x << "," << y;
    }
}

TEST(ShaderProgramGl, LitProgramLinksOnTheGatherAndThePlainPath) {
    // The plain GLSL 1.50 path is what a driver without GL_ARB_gpu_shader5 compiles.
    std::string plain = readTextFile("lightshader.frag");
    ASSERT_FALSE(plain.empty());
    plain.insert(plain.find('\n') + 1, "#define STRICT_GLSL_150\n");
    const std::string plainPath = writeTestShader("plain-light.frag", plain);
    testing::internal::CaptureStdout();
    const GLuint gather = buildShaderProgram("lightshader.vert", "lightshader.frag", nullptr);
    const GLuint strict = buildShaderProgram("lightshader.vert", plainPath, nullptr);
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(linkStatus(gather), GL_TRUE);
    EXPECT_EQ(linkStatus(strict), GL_TRUE);
    EXPECT_EQ(log, "\n\n");
    // Both declare the uniforms the lit draw sets.
    for (GLuint program : {gather, strict}) {
        for (const char* name :
             {"myTextureSampler", "myNormalSampler", "M", "V", "P", "lightCount", "ambient", "percent_life",
              "lights[0].color", "lights[9].eAtt", "lights[3].near_far", "shadows[0]", "shadows[9]"}) {
            EXPECT_GE(glGetUniformLocation(program, name), 0) << name;
        }
    }
}

namespace {

std::vector<unsigned char> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

// Mean colour (r, g, b) of the picture's texels within [u0, u1) x [v0, v1).
std::array<double, 3> pictureMean(const BmpImage& image, double u0, double u1, double v0, double v1) {
    std::array<double, 3> sum{};
    int count = 0;
    for (int y = static_cast<int>(v0 * image.height); y < static_cast<int>(v1 * image.height); ++y) {
        for (int x = static_cast<int>(u0 * image.width); x < static_cast<int>(u1 * image.width); ++x) {
            const unsigned char* p = &image.pixels[y * image.rowStride() + x * 3];
            sum[0] += p[2];
            sum[1] += p[1];
            sum[2] += p[0];
            ++count;
        }
    }
    for (double& s : sum) s /= count;
    return sum;
}

}  // namespace

TEST(ScreenGl, EachGeneratedPictureFillsTheWindowAsItsFileShowsIt) {
    TestFramebuffer target(testWidth, testHeight);
    useGameDrawState();

    for (const char* name : {"Intro", "Loading", "GameOver", "GameOverSlain", "GameOverFell", "GameWin"}) {
        const std::string path = std::string("External\\Models\\") + name + ".bmp";
        BmpImage image;
        ASSERT_TRUE(parseBmp(fileBytes("External/Models/" + std::string(name) + ".bmp"), image)) << name;
        testing::internal::CaptureStdout();
        Screen screen(path);
        screen.init();
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "\n") << name;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        screen.render(glm::mat4(1.0f), glm::mat4(1.0f), {});
        std::vector<unsigned char> shown(testWidth * testHeight * 4);
        glReadPixels(0, 0, testWidth, testHeight, GL_RGBA, GL_UNSIGNED_BYTE, shown.data());

        // Compare a 16 x 9 grid of cells, window against file (the file is stretched).
        double worst = 0.0;
        for (int cy = 0; cy < 9; ++cy) {
            for (int cx = 0; cx < 16; ++cx) {
                const auto expected =
                    pictureMean(image, cx / 16.0, (cx + 1) / 16.0, cy / 9.0, (cy + 1) / 9.0);
                std::array<double, 3> seen{};
                int count = 0;
                for (int y = cy * 100; y < (cy + 1) * 100; ++y) {
                    for (int x = cx * 100; x < (cx + 1) * 100; ++x) {
                        for (int c = 0; c < 3; ++c) seen[c] += shown[(y * testWidth + x) * 4 + c];
                        ++count;
                    }
                }
                for (int c = 0; c < 3; ++c) worst = std::max(worst, std::abs(seen[c] / count - expected[c]));
            }
        }
        EXPECT_LT(worst, 6.0) << name << ": a cell of the window differs from the picture";
        glDeleteTextures(1, &screen.screenTexture);
    }
}
