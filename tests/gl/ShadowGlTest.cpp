// Cube-map shadows and the lit draw against real rendering: a floor, a box and one light,
// drawn with the game's own shaders and read back.
#include <cmath>
#include <vector>

#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include "app/Game.h"
#include "render/Light.h"
#include "render/LitDraw.h"
#include "render/ShadowCubeRenderer.h"
#include "scene/BmpTexture.h"
#include "scene/Object3D.h"
#include "tests/gl/GlContext.h"
#include "tests/gl/TestFiles.h"
#include "tests/gl/TestFramebuffer.h"

using namespace zarnhold;

namespace {

constexpr int viewSize = 512;

// Two triangles a b c, a c d, wound counter-clockwise seen from the side `normal` faces.
void addQuad(Object3D& mesh, glm::vec3 a, glm::vec3 b, glm::vec3 c, glm::vec3 d, glm::vec3 normal) {
    if (glm::dot(glm::cross(b - a, c - a), normal) < 0.0f) std::swap(b, d);
    auto add = [&](glm::vec3 p, glm::vec3 q, glm::vec3 r, glm::vec2 up, glm::vec2 uq, glm::vec2 ur) {
        Triangle t;
        t.positions[0] = p;
        t.positions[1] = q;
        t.positions[2] = r;
        t.uvs[0] = up;
        t.uvs[1] = uq;
        t.uvs[2] = ur;
        t.normals[0] = t.normals[1] = t.normals[2] = normal;
        mesh.addTriangle(t);
    };
    add(a, b, c, {0, 0}, {1, 0}, {1, 1});
    add(a, c, d, {0, 0}, {1, 1}, {0, 1});
}

void addBox(Object3D& mesh, glm::vec3 low, glm::vec3 high) {
    const glm::vec3 l = low, h = high;
    addQuad(mesh, {l.x, h.y, l.z}, {h.x, h.y, l.z}, {h.x, h.y, h.z}, {l.x, h.y, h.z}, {0, 1, 0});
    addQuad(mesh, {l.x, l.y, l.z}, {h.x, l.y, l.z}, {h.x, l.y, h.z}, {l.x, l.y, h.z}, {0, -1, 0});
    addQuad(mesh, {h.x, l.y, l.z}, {h.x, h.y, l.z}, {h.x, h.y, h.z}, {h.x, l.y, h.z}, {1, 0, 0});
    addQuad(mesh, {l.x, l.y, l.z}, {l.x, h.y, l.z}, {l.x, h.y, h.z}, {l.x, l.y, h.z}, {-1, 0, 0});
    addQuad(mesh, {l.x, l.y, h.z}, {h.x, l.y, h.z}, {h.x, h.y, h.z}, {l.x, h.y, h.z}, {0, 0, 1});
    addQuad(mesh, {l.x, l.y, l.z}, {h.x, l.y, l.z}, {h.x, h.y, l.z}, {l.x, h.y, l.z}, {0, 0, -1});
}

// A floor at y = 0 and a unit box standing on it, lit from up and to the -x side.
class ShadowScene : public testing::Test {
protected:
    void SetUp() override {
        testing::internal::CaptureStdout();
        // The game draws with the vertex array its pictures left bound; so does this scene.
        glGenVertexArrays(1, &vertexArray);
        glBindVertexArray(vertexArray);
        addQuad(floor, {-10, 0, 10}, {10, 0, 10}, {10, 0, -10}, {-10, 0, -10}, {0, 1, 0});
        addBox(box, {-0.5f, 0.0f, -0.5f}, {0.5f, 1.0f, 0.5f});
        GlLedger* ledger = &game.runGlObjects;
        const GLuint white = readBmpTexture(writeFlatBmp("white", 255, 255, 255), ledger);
        const GLuint flat = readBmpTexture(writeFlatBmp("flatnormal", 255, 128, 128), ledger);
        for (Object3D* mesh : {&floor, &box}) {
            mesh->castsShadow = true;
            mesh->diffuseTexture = white;
            mesh->normalTexture = flat;
            mesh->uploadMesh(ledger);
            root.children.push_back(mesh);
        }
        floor.fixedInPlace = true;
        light = Light(1, 1, 1, 1, -4, 4, 0, 2, 0, 0, 0, 1, 0.1f, 0.01f);
        game.graphics.addLight(light, ledger);
        lights = {&light};
        game.playerPosition = &eye;
        view = glm::lookAt(eye, glm::vec3(0, 0, 0), glm::vec3(0, 0, -1));
        projection = glm::perspective(glm::radians(45.0f), 1.0f, 0.1f, 100.0f);
        useGameDrawState();
        const std::string log = testing::internal::GetCapturedStdout();
        // One empty link-log line per program: two lit meshes, the shadow program and its
        // one-face companion.
        ASSERT_EQ(log, "\n\n\n\n");
    }

    // Draws the scene (the box only when `withBox`) and returns the red channel at each
    // floor point.
    std::vector<int> drawAndRead(bool withBox, const std::vector<glm::vec3>& points) {
        box.castsShadow = withBox;
        game.graphics.renderShadowMap(light, root);
        glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
        glViewport(0, 0, viewSize, viewSize);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawLit(game, floor, view, projection, lights);
        if (withBox) drawLit(game, box, view, projection, lights);
        std::vector<int> reds;
        for (const glm::vec3& p : points) reds.push_back(redAt(p));
        return reds;
    }

    // The red channel of the bound framebuffer where `point` is seen.
    int redAt(glm::vec3 point) {
        const glm::vec4 clip = projection * view * glm::vec4(point, 1.0f);
        const int x = static_cast<int>((clip.x / clip.w * 0.5f + 0.5f) * viewSize);
        const int y = static_cast<int>((clip.y / clip.w * 0.5f + 0.5f) * viewSize);
        unsigned char rgba[4] = {};
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return rgba[0];
    }

    // Draws the floor alone into a 4x multisampled target, lit by `chosen`, and returns the
    // red channel at `point` after resolving.
    int floorRedWithLights(const std::vector<Light*>& chosen, glm::vec3 point) {
        TestFramebuffer multisampled{viewSize, viewSize, 4};
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawLit(game, floor, view, projection, chosen);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, multisampled.framebuffer);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target.framebuffer);
        glBlitFramebuffer(0, 0, viewSize, viewSize, 0, 0, viewSize, viewSize, GL_COLOR_BUFFER_BIT,
                          GL_NEAREST);
        glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
        return redAt(point);
    }

    std::vector<std::uint32_t> cubeDepths() {
        std::vector<std::uint32_t> depths(1024 * 1024 * 6);
        glBindTexture(GL_TEXTURE_CUBE_MAP, light.shadowCubeMap);
        for (int face = 0; face < 6; ++face) {
            glGetTexImage(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT,
                          depths.data() + face * 1024 * 1024);
        }
        return depths;
    }

    static testing::AssertionResult sameDepths(const std::vector<std::uint32_t>& cached,
                                               const std::vector<std::uint32_t>& reference) {
        std::size_t differing = 0;
        for (std::size_t i = 0; i < reference.size(); ++i) differing += reference[i] != cached[i];
        if (differing == 0) return testing::AssertionSuccess();
        return testing::AssertionFailure() << differing << " depth texels differ";
    }

    // The cached pass is read first: the plain pass after it clears the cube and draws it
    // all again, so nothing the cached pass left can pass for its result.
    testing::AssertionResult cachedPassThenReferenceAgree() {
        game.graphics.renderShadowMap(light, root);
        const std::vector<std::uint32_t> cached = cubeDepths();
        game.graphics.renderShadowMapReference(light, root);
        return sameDepths(cached, cubeDepths());
    }

    void TearDown() override {
        glDeleteVertexArrays(1, &vertexArray);
        game.runGlObjects.releaseAll();
        game.graphics.depthCubes().releaseAll();
        game.graphics.programs().releaseAll();
    }

    GLuint vertexArray = 0;
    Game game;
    Object3D floor, box;
    Node root;
    Light light;
    std::vector<Light*> lights;
    glm::vec3 eye{0.0f, 14.0f, 0.0f};
    glm::mat4 view, projection;
    TestFramebuffer target{viewSize, viewSize};
};

}  // namespace

TEST_F(ShadowScene, TheBoxShadowsTheFloorBehindItButNotBesideIt) {
    // Behind the box from the light, beside that shadow, and between light and box.
    const std::vector<glm::vec3> points = {{1.25f, 0, 0}, {1.25f, 0, 3.0f}, {-2.0f, 0, 0}};
    const std::vector<int> withBox = drawAndRead(true, points);
    const std::vector<int> without = drawAndRead(false, points);
    EXPECT_LT(withBox[0], without[0] / 2) << "the floor behind the box is in shadow";
    EXPECT_GT(withBox[0], 0) << "ambient still lights the shadow";
    EXPECT_NEAR(withBox[1], without[1], 2) << "the floor beside the shadow is lit";
    EXPECT_NEAR(withBox[2], without[2], 2) << "a point lit directly is not in shadow";
    EXPECT_GT(withBox[2], withBox[0] * 2);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// The light loop leaves early for fragments the depth test hid; a visible one must still get
// every chosen light, whatever their order, in a multisampled target like the window.
TEST_F(ShadowScene, EveryChosenLightAddsItsShareInAMultisampledTarget) {
    Light second = Light(1, 1, 1, 1, 4, 4, 0, 2, 0, 0, 0, 1, 0.1f, 0.01f);
    testing::internal::CaptureStdout();
    game.graphics.addLight(second, &game.runGlObjects);
    testing::internal::GetCapturedStdout();
    box.castsShadow = false;
    game.graphics.renderShadowMap(light, root);
    game.graphics.renderShadowMap(second, root);
    const glm::vec3 point{2.0f, 0.0f, 1.0f};
    const int one = floorRedWithLights({&light}, point);
    const int both = floorRedWithLights({&light, &second}, point);
    const int swapped = floorRedWithLights({&second, &light}, point);
    EXPECT_GT(both, one + 10) << "the second light brightens the floor";
    EXPECT_NEAR(swapped, both, 2) << "the order of the lights does not matter";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ShadowScene, CachedPassWritesExactlyTheReferenceDepths) {
    box.castsShadow = true;
    EXPECT_TRUE(cachedPassThenReferenceAgree()) << "box in place";
    box.modelMatrix = glm::translate(glm::mat4(1.0f), glm::vec3(3.0f, 0.0f, -2.0f));
    EXPECT_TRUE(cachedPassThenReferenceAgree()) << "after the box moved";
    box.castsShadow = false;
    EXPECT_TRUE(cachedPassThenReferenceAgree()) << "after the box stopped casting";
    light.position = glm::vec3(2.0f, 5.0f, 1.0f);
    box.castsShadow = true;
    EXPECT_TRUE(cachedPassThenReferenceAgree()) << "after the light moved";
}

TEST_F(ShadowScene, LitDrawSendsChosenLightsToTheirSlotsAndUnits) {
    Light far = Light(1, 0, 0, 1, 0, 14 + 25.0f, 0, 2, 0, 0, 0, 1, 0.1f, 0.01f);
    Light near = Light(0, 1, 0, 0.7f, 3, 12, 1, 2, 0, 0, 0, 2, 0.2f, 0.03f);
    far.shadowCubeMap = light.shadowCubeMap;
    near.shadowCubeMap = light.shadowCubeMap;
    std::vector<Light*> three = {&light, &far, &near};
    game.health = 250.0f;
    glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
    drawLit(game, floor, view, projection, three);

    const GLuint program = floor.program;
    auto intAt = [&](const char* name) {
        GLint value = -99;
        glGetUniformiv(program, glGetUniformLocation(program, name), &value);
        return value;
    };
    auto floatsAt = [&](const char* name, int count) {
        std::vector<float> values(count, -99.0f);
        glGetUniformfv(program, glGetUniformLocation(program, name), values.data());
        return values;
    };
    EXPECT_EQ(intAt("lightCount"), 2);
    EXPECT_EQ(intAt("shadows[0]"), 10);
    EXPECT_EQ(intAt("shadows[1]"), 12) << "the third light of the list keeps unit 12";
    EXPECT_EQ(floatsAt("lights[1].position", 3), (std::vector<float>{3, 12, 1}));
    EXPECT_EQ(floatsAt("lights[1].color", 3), (std::vector<float>{0, 1, 0}));
    EXPECT_FLOAT_EQ(floatsAt("lights[1].luminocity", 1)[0], 0.7f);
    EXPECT_FLOAT_EQ(floatsAt("lights[1].cAtt", 1)[0], 2.0f);
    EXPECT_FLOAT_EQ(floatsAt("lights[1].lAtt", 1)[0], 0.2f);
    EXPECT_FLOAT_EQ(floatsAt("lights[1].eAtt", 1)[0], 0.03f);
    EXPECT_EQ(floatsAt("lights[0].near_far", 2), (std::vector<float>{5, 100}));
    EXPECT_FLOAT_EQ(floatsAt("percent_life", 1)[0], 0.25f);
    EXPECT_FLOAT_EQ(floatsAt("ambient", 1)[0], 0.15f);
    EXPECT_EQ(floor.textureSamplerLocation, glGetUniformLocation(program, "myTextureSampler"));
    GLint unit12 = 0;
    glActiveTexture(GL_TEXTURE12);
    glGetIntegerv(GL_TEXTURE_BINDING_CUBE_MAP, &unit12);
    EXPECT_EQ(static_cast<GLuint>(unit12), light.shadowCubeMap);
}

// The plain pass leaves the moving casters' depths in the cube, so the next cached pass starts
// again from the fixed casters' depths even when nothing moves.
TEST_F(ShadowScene, CachedPassAfterThePlainPassDropsACasterThatIsGone) {
    box.castsShadow = false;
    game.graphics.renderShadowMap(light, root);
    box.castsShadow = true;
    game.graphics.renderShadowMapReference(light, root);
    box.castsShadow = false;
    EXPECT_TRUE(cachedPassThenReferenceAgree());
}

// The set-up leaves a light without its cache when a copy framebuffer is incomplete.
TEST_F(ShadowScene, ALightWithoutItsCacheDrawsThePlainPass) {
    box.castsShadow = false;
    game.graphics.renderShadowMap(light, root);
    ShadowCubeRenderer& shadows = *game.graphics.shadowsOf(light);
    shadows.fixedDepthCube = shadows.fixedFramebuffer = 0;
    shadows.copyReadFramebuffer = shadows.copyDrawFramebuffer = 0;
    box.castsShadow = true;
    EXPECT_TRUE(cachedPassThenReferenceAgree()) << "the box appears";
    box.castsShadow = false;
    EXPECT_TRUE(cachedPassThenReferenceAgree()) << "the box is gone";
}
