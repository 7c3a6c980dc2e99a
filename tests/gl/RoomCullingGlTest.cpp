// Leaving out the rooms the eye cannot see must not change a single pixel. The real
// level is drawn from every room and from both sides of every opening, looking every
// way: once with the runs the culling keeps, once with those followed by every run it
// leaves out. Anything left out that could be seen would show in the second picture.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include "app/Game.h"
#include "render/Level.h"
#include "render/LitDraw.h"
#include "tests/gl/GlContext.h"
#include "tests/gl/TestFramebuffer.h"

using namespace zarnhold;

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 180;

// A physics-frame eye and the way it looks.
struct View {
    glm::vec3 eye;
    float yaw;
    float pitch;
};

// Physics (x, y, z) is drawn at (x, -y, -z).
glm::vec3 toRender(const glm::vec3& p) {
    return {p.x, -p.y, -p.z};
}

void addLooksAround(std::vector<View>& views, const glm::vec3& eye) {
    for (int i = 0; i < 8; ++i) views.push_back({eye, 0.785398f * i, 0.0f});
    for (int i = 0; i < 4; ++i) {
        views.push_back({eye, 1.570796f * i + 0.4f, 0.6f});
        views.push_back({eye, 1.570796f * i + 0.4f, -0.6f});
    }
}

// Every room's middle, a little over its lowest floor, and both sides of every opening.
std::vector<View> viewsThroughout(const RoomGraph& graph) {
    std::vector<View> views;
    for (const RoomGraph::Box& box : graph.rooms) {
        const glm::vec3 middle = 0.5f * (box.low + box.high);
        addLooksAround(views, {middle.x, box.low.y + 1.2f, middle.z});
    }
    for (const RoomGraph::Portal& portal : graph.portals) {
        const glm::vec3& c = portal.corners[0];
        const glm::vec3 centre = 0.25f * (c + portal.corners[1] + portal.corners[2] + portal.corners[3]);
        const glm::vec3 normal = glm::normalize(glm::cross(portal.corners[1] - c, portal.corners[3] - c));
        const bool inFloor = std::abs(normal.y) > 0.9f;
        for (float side : {-0.4f, 0.4f}) {
            glm::vec3 eye = centre + side * normal;
            if (!inFloor) eye.y = std::min(c.y, portal.corners[2].y) + 0.7f;
            addLooksAround(views, eye);
        }
    }
    return views;
}

// The runs of `all` triangles that `kept` does not draw.
std::vector<IndexRange> leftOut(const std::vector<IndexRange>& kept, std::size_t all) {
    std::vector<bool> drawn(all, false);
    for (const IndexRange& range : kept) {
        for (std::size_t i = range.first; i < range.first + range.count; ++i) drawn[i] = true;
    }
    std::vector<IndexRange> rest;
    for (std::size_t i = 0; i < all; ++i) {
        if (drawn[i]) continue;
        if (!rest.empty() && rest.back().first + rest.back().count == i) {
            ++rest.back().count;
        } else {
            rest.push_back({i, 1});
        }
    }
    return rest;
}

std::string describe(const View& view) {
    char text[128];
    std::snprintf(text, sizeof text, "eye (%.2f, %.2f, %.2f) yaw %.2f pitch %.2f", view.eye.x, view.eye.y,
                  view.eye.z, view.yaw, view.pitch);
    return text;
}

class RoomCulling : public testing::Test {
protected:
    void SetUp() override {
        testing::internal::CaptureStdout();
        game.window = testWindow();
        game.width = kWidth;
        game.height = kHeight;
        useGameDrawState();
        game.initPictures();
        game.buildWorld();
        log = testing::internal::GetCapturedStdout();
        for (AppState* object : game.sceneObjects) {
            if (auto* found = dynamic_cast<Level*>(object)) level = found;
        }
        game.renderShadowMaps();
        game.playerPosition = &eyeRender;
    }

    void look(const View& view) {
        eyeRender = toRender(view.eye);
        const glm::vec3 ahead(std::sin(view.yaw) * std::cos(view.pitch), std::sin(view.pitch),
                              -std::cos(view.yaw) * std::cos(view.pitch));
        game.view = glm::lookAt(eyeRender, eyeRender + toRender(ahead), glm::vec3(0.0f, -1.0f, 0.0f));
        game.projection = glm::perspective(glm::radians(45.0f), float(kWidth) / kHeight, 0.1f, 100.0f);
    }

    // The level alone, drawn with `ranges` into a 4x multisampled target, read back resolved.
    std::vector<std::uint8_t> draw(const std::vector<IndexRange>& ranges) {
        glBindFramebuffer(GL_FRAMEBUFFER, multisampled.framebuffer);
        glViewport(0, 0, kWidth, kHeight);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawLit(game, *level, game.view, game.projection, game.lightList, &ranges);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, multisampled.framebuffer);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, resolved.framebuffer);
        glBlitFramebuffer(0, 0, kWidth, kHeight, 0, 0, kWidth, kHeight, GL_COLOR_BUFFER_BIT, GL_NEAREST);
        glBindFramebuffer(GL_FRAMEBUFFER, resolved.framebuffer);
        std::vector<std::uint8_t> pixels(kWidth * kHeight * 4);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    Game game;
    Level* level = nullptr;
    glm::vec3 eyeRender{0.0f};
    std::string log;
    TestFramebuffer resolved{kWidth, kHeight};
    TestFramebuffer multisampled{kWidth, kHeight, 4};
};

}  // namespace

TEST_F(RoomCulling, WhatIsLeftOutCannotBeSeenFromAnywhereInTheLevel) {
    ASSERT_NE(level, nullptr);
    ASSERT_FALSE(level->roomGraph.empty()) << log;
    const std::vector<View> views = viewsThroughout(level->roomGraph);
    ASSERT_GT(views.size(), 500u);
    int differingViews = 0;
    std::size_t culledViews = 0;
    for (const View& view : views) {
        look(view);
        const std::vector<IndexRange> kept = level->rangesSeenFrom(game.view, game.projection);
        const std::vector<IndexRange> rest = leftOut(kept, level->indices.size());
        std::vector<IndexRange> everything = kept;
        everything.insert(everything.end(), rest.begin(), rest.end());
        const std::vector<std::uint8_t> culled = draw(kept);
        const std::vector<std::uint8_t> whole = draw(everything);
        std::size_t differing = 0;
        for (std::size_t i = 0; i < whole.size(); i += 4) {
            differing +=
                whole[i] != culled[i] || whole[i + 1] != culled[i + 1] || whole[i + 2] != culled[i + 2];
        }
        if (differing > 0 && ++differingViews <= 10) {
            ADD_FAILURE() << differing << " pixels differ at " << describe(view);
        }
        culledViews += !rest.empty();
    }
    EXPECT_EQ(differingViews, 0) << "of " << views.size() << " views";
    // The check means something only where the culling leaves rooms out.
    EXPECT_GT(culledViews, views.size() * 9 / 10);
}
