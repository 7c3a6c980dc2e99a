// The frames as the game draws them give exactly the frames of the plain way: the shadows
// (fixed casters cached, only what moving casters cover redrawn, cubes brought up to date
// only when something samples them) against the plain pass that redraws every caster into
// every cube; the lit draws that leave out the lights that cannot reach them against draws
// that use every light near the player; meshes outside the view skipped or drawn.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <GL/glew.h>
#include <gtest/gtest.h>

#include "app/Game.h"
#include "bench/Ssim.h"
#include "game/CameraState.h"
#include "game/Enemy.h"
#include "render/Light.h"
#include "render/SceneTarget.h"
#include "render/ShadowCubeRenderer.h"
#include "run/GameState.h"
#include "run/PhysicsWorld.h"
#include "scene/GlLedger.h"
#include "tests/ScriptedInput.h"
#include "tests/ViewPlaces.h"
#include "tests/gl/CubeDepths.h"
#include "tests/gl/GlContext.h"
#include "tests/gl/TestFramebuffer.h"
#include "tests/gl/TestGame.h"

using namespace zarnhold;

namespace {

std::vector<unsigned char> framePixels() {
    std::vector<unsigned char> rgb(static_cast<std::size_t>(testWidth) * testHeight * 3);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, testWidth, testHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

std::size_t differingBytes(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < a.size(); ++i) count += a[i] != b[i];
    return count;
}

// The main pass, then the viewer when it is shown, as a playing frame draws them.
std::vector<unsigned char> drawView(Game& game) {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, game.width, game.height);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    game.renderObjects();
    if (game.showCubeMapViewer) game.drawCubeMapViewer();
    return framePixels();
}

struct IdentityRun {
    IdentityRun() {
        testing::internal::CaptureStdout();
        attachTestWindow(game, input);
        game.buildWorld();
        GameState = PLAYING;
        for (AppState* object : game.sceneObjects) {
            if (auto* found = dynamic_cast<CameraState*>(object)) player = found;
        }
        // The plain pass draws into cubes of its own, so that it leaves the game's cubes,
        // and what their lights know of them, as the game's own pass left them.
        plain = std::vector<ShadowCubeRenderer>(game.lightList.size());
        for (ShadowCubeRenderer& shadows : plain)
            shadows.setUp(plainCubes, game.graphics.programs(), &ledger);
    }
    ~IdentityRun() {
        ledger.releaseAll();
        plainCubes.releaseAll();
        GameState = INTRO;
        testing::internal::GetCapturedStdout();
    }

    // A frame's physics and updates, the player kept at `place`.
    void advance(const Place& place) {
        standAt(*player, place);
        game.physics->step(0.03f);
        game.flickerLights();
        game.updateObjects(0.0);
    }
    // This frame drawn with the game's shadows, then with the plain pass's cubes. The cubes
    // this frame samples are compared texel for texel as well: a texel wrong where no
    // visible surface happens to look is a fault the next view may show.
    void expectSameFrame(const char* where) {
        game.renderShadowMaps();
        const std::vector<bool> sampled = game.lightsSampledThisFrame();
        const std::vector<unsigned char> fast = drawView(game);
        std::vector<unsigned int> own;
        for (std::size_t i = 0; i < plain.size(); ++i) {
            plain[i].renderReference(game.shadowCasterRoot, game.lightList[i]->position);
            if (sampled[i]) {
                EXPECT_TRUE(cubeDepths(plain[i].cubeMap()) == cubeDepths(game.lightList[i]->shadowCubeMap))
                    << where << ", light " << i;
            }
            own.push_back(game.lightList[i]->shadowCubeMap);
            game.lightList[i]->shadowCubeMap = plain[i].cubeMap();
        }
        game.skipUnreachableLights = false;
        game.skipUnseenMeshes = false;
        const std::vector<unsigned char> reference = drawView(game);
        game.skipUnreachableLights = true;
        game.skipUnseenMeshes = true;
        for (std::size_t i = 0; i < plain.size(); ++i) game.lightList[i]->shadowCubeMap = own[i];
        const std::size_t differing = differingBytes(fast, reference);
        EXPECT_EQ(differing, 0u) << where;
        ++compared;
    }

    Game game;
    ScriptedInput input;
    CameraState* player = nullptr;
    GlLedger ledger;
    DepthCubePool plainCubes;
    std::vector<ShadowCubeRenderer> plain;
    int compared = 0;
};

}  // namespace

TEST(FrameIdentity, TheGamesShadowsGiveThePlainPasssFramesWithEnemiesMoving) {
    IdentityRun run;
    ASSERT_NE(run.player, nullptr);
    // Among the crowd until they move, to the arena and its eighteen, back to the crowd (its
    // lights not brought up to date in between), then the goal room with the spinning
    // crystal, the viewer showing the second light from afar, and the start hall.
    const char* const route[] = {"crowd-room", "east-arena", "crowd-room", "goal-room", "start-hall"};
    std::vector<glm::vec3> enemyStarts;
    for (AppState* object : run.game.sceneObjects) {
        if (auto* enemy = dynamic_cast<Enemy*>(object)) enemyStarts.push_back(enemy->renderCentre());
    }
    for (const char* name : route) {
        const Place* place = nullptr;
        for (const Place& p : places) {
            if (std::string(p.name) == name) place = &p;
        }
        ASSERT_NE(place, nullptr) << name;
        run.game.showCubeMapViewer = std::string(name) == "goal-room";
        for (int frame = 0; frame < 6; ++frame) {
            run.advance(*place);
            if (frame % 2 == 1) run.expectSameFrame(name);
        }
    }
    int moved = 0;
    std::size_t k = 0;
    for (AppState* object : run.game.sceneObjects) {
        if (auto* enemy = dynamic_cast<Enemy*>(object)) {
            moved += glm::length(enemy->renderCentre() - enemyStarts[k++]) > 0.05f;
        }
    }
    std::fprintf(stderr, "%d frames compared; %d enemies moved\n", run.compared, moved);
    EXPECT_GE(moved, 10) << "the frames compared must have enemies in motion";
}

TEST(FrameIdentity, AtFullSizeTheSceneTargetDrawsTheWindowsPictureButForItsEdges) {
    // A window without samples gets the scene drawn with 4 in the scene target and resolved
    // into it. The driver's samples in a framebuffer of ours fall a little differently from
    // a multisampled window's, so edges may differ (which is why --scale 1 keeps a
    // multisampled window and draws straight into it); nothing else may.
    std::vector<std::pair<const char*, double>> farApart;
    {
        IdentityRun run;
        ASSERT_NE(run.player, nullptr);
        for (const Place& place : places) {
            run.advance(place);
            run.game.renderShadowMaps();
            run.game.drawScene(0, 1.0f);
            TestFramebuffer resolved(testWidth, testHeight);
            glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
            glBindFramebuffer(GL_DRAW_FRAMEBUFFER, resolved.framebuffer);
            glBlitFramebuffer(0, 0, testWidth, testHeight, 0, 0, testWidth, testHeight, GL_COLOR_BUFFER_BIT,
                              GL_NEAREST);
            glBindFramebuffer(GL_FRAMEBUFFER, resolved.framebuffer);
            const std::vector<unsigned char> window = framePixels();
            TestFramebuffer plainWindow(testWidth, testHeight);
            SceneTarget target;
            target.init();
            target.begin(plainWindow.framebuffer, testWidth, testHeight, 1.0f);
            Game::clearWindow();
            run.game.renderObjects();
            target.present();
            const std::vector<unsigned char> throughTarget = framePixels();
            target.release();
            std::size_t apart = 0;
            for (std::size_t i = 0; i < window.size(); ++i)
                apart += std::abs(window[i] - throughTarget[i]) > 8;
            farApart.emplace_back(place.name, static_cast<double>(apart) / window.size());
        }
    }
    for (const auto& [where, share] : farApart) EXPECT_LT(share, 0.02) << where;
}

TEST(FrameIdentity, BelowFullSizeEveryDrawUpGivesTheFullSizePictureBlurredNotMoved) {
    // Drawn at a share of the window and drawn up, the scene must land where the full-size
    // one is, the right way up, over the whole window: similar in structure (SSIM), and more
    // so at a larger share. A flipped, shifted or partly drawn picture falls far below.
    struct Case {
        float scale;
        int samples;
        DrawUp filter;
    };
    const Case cases[] = {{0.5f, 0, DrawUp::Bilinear},
                          {0.5f, 4, DrawUp::Bilinear},
                          {0.5f, 0, DrawUp::EdgeAware},
                          {0.35f, 0, DrawUp::EdgeAware}};
    IdentityRun run;
    ASSERT_NE(run.player, nullptr);
    const Place& place = places[0];
    run.advance(place);
    run.game.renderShadowMaps();
    const auto drawnAt = [&](float scale, int samples, DrawUp filter) {
        TestFramebuffer plainWindow(testWidth, testHeight);
        SceneTarget target;
        target.init();
        target.setScaledSamples(samples);
        target.setDrawUp(filter);
        EXPECT_FLOAT_EQ(target.begin(plainWindow.framebuffer, testWidth, testHeight, scale), scale);
        Game::clearWindow();
        run.game.renderObjects();
        target.present();
        std::vector<unsigned char> pixels = framePixels();
        target.release();
        return pixels;
    };
    const std::vector<unsigned char> full = drawnAt(1.0f, sceneSamples, DrawUp::Bilinear);
    const std::vector<unsigned char> flipped = [&] {
        std::vector<unsigned char> rows(full.size());
        const std::size_t row = static_cast<std::size_t>(testWidth) * 3;
        for (int y = 0; y < testHeight; ++y)
            std::copy_n(&full[y * row], row, &rows[(testHeight - 1 - y) * row]);
        return rows;
    }();
    const double flippedSimilarity = structuralSimilarity(full, flipped, testWidth, testHeight);
    ASSERT_LT(flippedSimilarity, 0.8) << "the measure must tell a wrong picture from a blurred one";
    for (const Case& c : cases) {
        const double similarity =
            structuralSimilarity(full, drawnAt(c.scale, c.samples, c.filter), testWidth, testHeight);
        std::fprintf(stderr, "%.2f, %d samples, %s: SSIM %.3f (flipped %.3f)\n", c.scale, c.samples,
                     c.filter == DrawUp::Bilinear ? "bilinear" : "edge-aware", similarity, flippedSimilarity);
        EXPECT_GT(similarity, c.scale >= 0.5f ? 0.9 : 0.85);
    }
}
