// Times the frames of a real run in a hidden 1600x900 window with 4x MSAA: the ten shadow
// passes and the main pass apart (glFinish between them), first as the game draws its
// shadows (fixed casters cached), then with the plain pass that redraws every caster.
// Usage: frame_benchmark [frames] [--shots DIR] [--cached-only] [--whole-level]
// (run from the game folder). --shots writes PPM pictures of a few places of the level to
// DIR; --cached-only skips the plain pass, for quick comparisons of shader changes;
// --whole-level draws every room of the level every frame, seen or not.
#include <chrono>
#include <ctime>
#include <cstdio>
#include <algorithm>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <glm/gtc/matrix_transform.hpp>

#include "app/Game.h"
#include "app/GameState.h"
#include "app/StartView.h"
#include "render/Level.h"
#include "render/Light.h"
#include "tests/HiddenWindow.h"

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Wall time, and processor time of all the process's threads (the software renderer's
// too): the second is steadier on a machine that does other work at the same time.
struct FrameTimes {
    double shadowMs = 0.0;
    double mainMs = 0.0;
    double shadowCpuMs = 0.0;
    double mainCpuMs = 0.0;
};

double cpuMsSince(std::clock_t start) {
    return 1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

void mainPass(Game& game) {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, game.width, game.height);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    game.renderObjects();
}

FrameTimes timeFrames(Game& game, int frames, bool reference) {
    FrameTimes total;
    for (int i = 0; i < frames; ++i) {
        game.flickerLights();
        game.updateObjects();
        glFinish();
        const auto shadowStart = Clock::now();
        const std::clock_t shadowCpuStart = std::clock();
        if (reference) {
            for (Light* light : game.lightList) light->renderShadowMapReference(game.shadowCasterRoot);
        } else {
            game.renderShadowMaps();
        }
        glFinish();
        total.shadowMs += msSince(shadowStart);
        total.shadowCpuMs += cpuMsSince(shadowCpuStart);
        const auto mainStart = Clock::now();
        const std::clock_t mainCpuStart = std::clock();
        mainPass(game);
        glFinish();
        total.mainMs += msSince(mainStart);
        total.mainCpuMs += cpuMsSince(mainCpuStart);
        glfwSwapBuffers(game.window);
    }
    total.shadowMs /= frames;
    total.mainMs /= frames;
    total.shadowCpuMs /= frames;
    total.mainCpuMs /= frames;
    return total;
}

// What one query of `target` counts over one main pass.
GLuint countOverMainPass(Game& game, GLenum target) {
    GLuint query = 0;
    glGenQueries(1, &query);
    glBeginQuery(target, query);
    mainPass(game);
    glEndQuery(target);
    GLuint count = 0;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &count);
    glDeleteQueries(1, &query);
    return count;
}

// How many samples pass the depth test in one main pass, against the window's samples:
// fragments drawn and then covered by nearer ones are shading work wasted. A software
// renderer with multisampling also shades blocks the depth test hid wholly: the fragment
// shader invocations show that work.
void reportOverdraw(Game& game) {
    const double windowPixels = static_cast<double>(game.width) * game.height;
    GLint sampleCount = 0;
    glGetIntegerv(GL_SAMPLES, &sampleCount);
    const GLuint samples = countOverMainPass(game, GL_SAMPLES_PASSED);
    std::printf("main pass: %u samples passed the depth test, %.2f per window sample\n", samples,
                samples / (windowPixels * std::max(1, sampleCount)));
    if (GLEW_ARB_pipeline_statistics_query) {
        const GLuint invocations = countOverMainPass(game, GL_FRAGMENT_SHADER_INVOCATIONS_ARB);
        std::printf("main pass: %u fragment shader invocations, %.2f per window pixel\n",
                    invocations, invocations / windowPixels);
    }
}

void writePpm(const std::string& path, int width, int height) {
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << width << " " << height << "\n255\n";
    for (int y = height - 1; y >= 0; --y) {
        out.write(reinterpret_cast<const char*>(&pixels[static_cast<std::size_t>(y) * width * 3]),
                  width * 3);
    }
}

// Places to look from: eye and a point looked at, both in the physics frame.
struct Viewpoint {
    const char* name;
    glm::vec3 eye;
    glm::vec3 target;
};

const Viewpoint viewpoints[] = {
    {"start-hall", {0.0f, 0.2f, 6.5f}, {0.0f, 0.0f, -3.0f}},
    {"start-hall-west", {-2.0f, 0.5f, 3.0f}, {-13.0f, -1.5f, 0.0f}},
    {"corridor", {0.0f, 0.5f, -4.0f}, {0.0f, -1.0f, -14.0f}},
    {"crowd-room", {0.0f, -0.9f, -11.5f}, {0.0f, -1.8f, -20.0f}},
    {"east-arena", {10.0f, 0.4f, -25.0f}, {20.0f, -0.3f, -25.0f}},
    {"far-hall", {36.0f, -1.0f, -12.0f}, {48.0f, -1.5f, -14.0f}},
    {"gallery", {46.0f, 6.5f, -24.0f}, {51.0f, 5.5f, -28.0f}},
    {"west-wing", {-6.0f, -1.0f, -25.0f}, {-11.0f, -1.6f, -25.0f}},
    {"tall-hall", {-9.0f, 0.0f, -42.0f}, {-8.0f, 2.0f, -55.0f}},
    {"goal-room", {-11.5f, -1.0f, -68.0f}, {-11.55f, -1.0f, -75.2f}},
    {"arena-pillar-shadow", {17.0f, 1.2f, -27.0f}, {20.0f, -0.5f, -17.0f}},
    {"goal-room-pillars", {-11.5f, 0.5f, -66.0f}, {-11.5f, -1.7f, -72.0f}},
};

glm::vec3 toRenderFrame(const glm::vec3& physics) {
    return {physics.x, -physics.y, -physics.z};
}

void takeShots(Game& game, StartView& view, const std::string& folder) {
    for (const Viewpoint& place : viewpoints) {
        view.position = toRenderFrame(place.eye);
        view.direction = glm::normalize(toRenderFrame(place.target) - view.position);
        view.update(0.0);
        game.renderShadowMaps();
        mainPass(game);
        glFinish();
        writePpm(folder + "/" + place.name + ".ppm", game.width, game.height);
        glfwSwapBuffers(game.window);
        std::printf("wrote %s/%s.ppm\n", folder.c_str(), place.name);
    }
}

}  // namespace

int main(int argc, char** argv) {
    int frames = 100;
    std::string shotFolder;
    bool cachedOnly = false;
    bool wholeLevel = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--shots") == 0 && i + 1 < argc) {
            shotFolder = argv[++i];
        } else if (std::strcmp(argv[i], "--cached-only") == 0) {
            cachedOnly = true;
        } else if (std::strcmp(argv[i], "--whole-level") == 0) {
            wholeLevel = true;
        } else {
            frames = std::max(1, std::atoi(argv[i]));
        }
    }
    if (glfwInit() != GLFW_TRUE) {
        std::printf("no display\n");
        return 1;
    }
    GLFWwindow* window = openHiddenWindow(1600, 900, "Zarnhold benchmark");
    if (window == nullptr) {
        std::printf("no window\n");
        return 1;
    }
    glfwSwapInterval(0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);

    Game game;
    game.window = window;
    game.width = 1600;
    game.height = 900;
    game.initPictures();
    const auto buildStart = Clock::now();
    game.buildWorld();
    const double buildMs = msSince(buildStart);
    GameState = PLAYING;
    StartView* view = nullptr;
    for (AppState* object : game.sceneObjects) {
        if (auto* found = dynamic_cast<StartView*>(object)) view = found;
        if (auto* level = dynamic_cast<Level*>(object)) level->cullHiddenRooms = !wholeLevel;
    }

    std::printf("GL renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    std::printf("run built in %.0f ms; %zu scene objects, %zu shadow casters, %zu lights\n", buildMs,
                game.sceneObjects.size(), game.shadowCasterRoot.children.size(),
                game.lightList.size());
    if (!shotFolder.empty() && view != nullptr) {
        takeShots(game, *view, shotFolder);
        if (view) view->position = toRenderFrame(viewpoints[0].eye);
    }
    if (view != nullptr) {
        view->position = toRenderFrame(viewpoints[0].eye);
        view->direction = glm::normalize(toRenderFrame(viewpoints[0].target) - view->position);
    }

    timeFrames(game, 3, false);  // the first pass fills the caches
    reportOverdraw(game);
    const FrameTimes cached = timeFrames(game, frames, false);
    std::printf("start hall, %d frames at 1600x900, 4x MSAA:\n", frames);
    std::printf("  cached shadows: shadow passes %8.2f ms  main pass %8.2f ms  frame %8.2f ms  (%.1f fps)\n",
                cached.shadowMs, cached.mainMs, cached.shadowMs + cached.mainMs,
                1000.0 / (cached.shadowMs + cached.mainMs));
    if (cachedOnly) {
        std::printf("  processor time per frame: shadow %.2f ms, main %.2f ms\n", cached.shadowCpuMs,
                    cached.mainCpuMs);
    } else {
        const FrameTimes plain = timeFrames(game, frames, true);
        std::printf("  plain shadows:  shadow passes %8.2f ms  main pass %8.2f ms  frame %8.2f ms  (%.1f fps)\n",
                    plain.shadowMs, plain.mainMs, plain.shadowMs + plain.mainMs,
                    1000.0 / (plain.shadowMs + plain.mainMs));
        std::printf("  processor time per frame: cached shadow %.2f ms, main %.2f ms; plain shadow %.2f ms, main %.2f ms\n",
                    cached.shadowCpuMs, cached.mainCpuMs, plain.shadowCpuMs, plain.mainCpuMs);
        std::printf("  shadow-pass speed-up %.1fx, frame speed-up %.1fx\n", plain.shadowMs / cached.shadowMs,
                    (plain.shadowMs + plain.mainMs) / (cached.shadowMs + cached.mainMs));
    }
    glfwTerminate();
    return 0;
}
