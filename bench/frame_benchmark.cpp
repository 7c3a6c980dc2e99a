// Times the frames of a real run in a hidden 1600x900 window with 4x MSAA, seen by the
// player standing at places along the route. A frame is what the game's loop does in play:
// events, the flicker, the scene's updates, the ten shadow passes, the main pass and the
// buffer swap, timed apart (glFinish between them), with physics stepped so that the
// enemies move. Every place is timed as the game draws its shadows (fixed casters cached,
// faces redrawn only where moving casters are, cubes only when sampled), and next to it
// with the plain pass that redraws every caster into every cube.
// Usage: frame_benchmark [frames] [--shots DIR] [--cached-only] [--whole-level] [--place NAME]
//        [--plain-draws] [--route] [--similarity]
// (run from the game folder). Each place is timed again with the scene drawn at 0.85, 0.7,
// 0.6, 0.5 and 0.4 of the window each way and drawn up to it, as the game's automatic
// scale does on a slow machine. Where the driver has timer queries, each place also shows the
// game thread's time to issue the passes (cpu) and the passes' time on the graphics
// processor (gpu). --shots writes a PPM picture of each place to DIR;
// --cached-only skips the plain passes, for quick comparisons of shader changes;
// --whole-level draws every room of the level every frame, seen or not; --place times only
// the place of that name (for a profiler); --plain-draws gives every lit draw every light
// near the player and draws meshes outside the view too. --route plays the timedemo of the
// recorded route instead of the places (at full size and at half), with each frame's parts;
// with --shots it plays [frames] frames of the route and writes that frame at full size, at
// 0.5 and at 0.35 drawn up bilinearly and along the edges, with each one's SSIM.
// --similarity compares, at every place, the picture at lower scales and with fewer samples
// with the full-size 4x one (SSIM), with the frame rate of each.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include <GL/glew.h>
#include <btBulletDynamicsCommon.h>
#include <glm/glm.hpp>

#include "app/Game.h"
#include "app/Platform.h"
#include "app/RecordingFile.h"
#include "app/TimedemoReport.h"
#include "app/WorldClock.h"
#include "app/WorldDigest.h"
#include "bench/Ssim.h"
#include "game/CameraState.h"
#include "render/Level.h"
#include "render/Light.h"
#include "render/SceneTarget.h"
#include "run/GameState.h"
#include "run/PhysicsWorld.h"
#include "scene/ShaderLoader.h"
#include "tests/HiddenWindow.h"
#include "tests/ScriptedInput.h"
#include "tests/ViewPlaces.h"

using namespace zarnhold;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int windowWidth = 1600;
constexpr int windowHeight = 900;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double cpuMsSince(std::clock_t start) {
    return 1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

// Averages per frame. Wall time, and processor time of all the process's threads (the
// software renderer's too): the second is steadier on a machine that does other work.
struct FrameTimes {
    // The whole frame, updates included.
    double frameMs = 0.0;
    double shadowMs = 0.0;
    double mainMs = 0.0;
    double swapMs = 0.0;
    double shadowCpuMs = 0.0;
    double mainCpuMs = 0.0;
    // The time the game's thread takes to hand the shadow and main passes to the driver,
    // and the time the driver's timer queries measure for them on the graphics processor
    // (zero where the driver has no timer queries).
    double submitMs = 0.0;
    double gpuMs = 0.0;
};

// Times the passes between begin and end on the graphics processor, where the driver
// offers timer queries.
class GpuTimer {
public:
    GpuTimer() {
        if (available()) glGenQueries(1, &query);
    }
    ~GpuTimer() {
        if (query != 0) glDeleteQueries(1, &query);
    }
    static bool available() { return GLEW_ARB_timer_query || GLEW_VERSION_3_3; }
    void begin() {
        if (query != 0) glBeginQuery(GL_TIME_ELAPSED, query);
    }
    void end() {
        if (query != 0) glEndQuery(GL_TIME_ELAPSED);
    }
    // Milliseconds of the last begin..end; waits for the result.
    double ms() const {
        if (query == 0) return 0.0;
        GLuint64 nanoseconds = 0;
        glGetQueryObjectui64v(query, GL_QUERY_RESULT, &nanoseconds);
        return nanoseconds / 1e6;
    }

private:
    GLuint query = 0;
};

// The scales each place is also timed at: the scene drawn at that share of the window
// each way, then drawn up to it.
constexpr float curveScales[] = {0.85f, 0.7f, 0.6f, 0.5f, 0.4f, 0.35f};

void mainPass(Game& game, float scale = 1.0f) {
    game.drawScene(0, scale);
}

// `frames` frames as the game's loop draws them in play, the player standing at `place`;
// `reference` draws the shadows with the plain pass. Physics advances 0.03 s a frame, as
// the game's does at this machine's frame rates, so the enemies awake here move; the player
// is put back before each frame, so the view stays.
FrameTimes timeFrames(Game& game, CameraState& player, const Place& place, int frames, bool reference,
                      float scale = 1.0f) {
    FrameTimes total;
    GpuTimer shadowTimer;
    GpuTimer mainTimer;
    for (int i = 0; i < frames; ++i) {
        standAt(player, place);
        glFinish();
        const auto frameStart = Clock::now();
        Platform::pollEvents();
        game.advanceWorld(30.0);
        const auto shadowStart = Clock::now();
        const std::clock_t shadowCpuStart = std::clock();
        shadowTimer.begin();
        if (reference) {
            game.renderShadowMapsPlain();
        } else {
            game.renderShadowMaps();
        }
        shadowTimer.end();
        total.submitMs += msSince(shadowStart);
        glFinish();
        total.shadowMs += msSince(shadowStart);
        total.shadowCpuMs += cpuMsSince(shadowCpuStart);
        const auto mainStart = Clock::now();
        const std::clock_t mainCpuStart = std::clock();
        mainTimer.begin();
        mainPass(game, scale);
        mainTimer.end();
        total.submitMs += msSince(mainStart);
        glFinish();
        total.mainMs += msSince(mainStart);
        total.mainCpuMs += cpuMsSince(mainCpuStart);
        // The multisampled picture is resolved and shown here.
        const auto swapStart = Clock::now();
        game.platform.swapBuffers();
        glFinish();
        total.swapMs += msSince(swapStart);
        total.frameMs += msSince(frameStart);
        total.gpuMs += shadowTimer.ms() + mainTimer.ms();
    }
    for (double* average : {&total.frameMs, &total.shadowMs, &total.mainMs, &total.swapMs, &total.shadowCpuMs,
                            &total.mainCpuMs, &total.submitMs, &total.gpuMs}) {
        *average /= frames;
    }
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
        std::printf("main pass: %u fragment shader invocations, %.2f per window pixel\n", invocations,
                    invocations / windowPixels);
    }
}

// What the lit draws' look-ups of uniforms by name cost: 120 draws, each naming what a lit
// draw with four lights names (its matrices and settings, four lights, ten shadow samplers).
void reportUniformLookups(Game& game) {
    GLuint program = 0;
    for (AppState* object : game.sceneObjects) {
        if (auto* level = dynamic_cast<Level*>(object)) program = level->program;
    }
    if (program == 0) return;
    std::vector<std::string> names = {
        "M",         "V", "P", "MV3x3", "ambient", "percent_life", "myTextureSampler", "myNormalSampler",
        "lightCount"};
    for (int k = 0; k < 10; ++k) {
        const std::string light = "lights[" + std::to_string(k) + "]";
        if (k < 4) {
            for (const char* field :
                 {".color", ".position", ".luminocity", ".cAtt", ".lAtt", ".eAtt", ".near_far"}) {
                names.push_back(light + field);
            }
        }
        names.push_back("shadows[" + std::to_string(k) + "]");
    }
    constexpr int draws = 120;
    GLint sum = 0;
    const auto start = Clock::now();
    for (int draw = 0; draw < draws; ++draw) {
        for (const std::string& name : names) sum += glGetUniformLocation(program, name.c_str());
    }
    const double ms = msSince(start);
    std::printf("uniform look-ups by name: %d draws x %zu names in %.2f ms (%.0f ns each; checksum %d)\n",
                draws, names.size(), ms, 1e6 * ms / (draws * names.size()), sum);
}

void writePpm(const std::string& path, int width, int height) {
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << width << " " << height << "\n255\n";
    for (int y = height - 1; y >= 0; --y) {
        out.write(reinterpret_cast<const char*>(&pixels[static_cast<std::size_t>(y) * width * 3]), width * 3);
    }
}

void takeShots(Game& game, CameraState& player, const std::string& folder) {
    for (const Place& place : places) {
        standAt(player, place);
        game.renderShadowMaps();
        mainPass(game);
        glFinish();
        writePpm(folder + "/" + place.name + ".ppm", game.width, game.height);
        game.platform.swapBuffers();
        std::printf("wrote %s/%s.ppm\n", folder.c_str(), place.name);
    }
}

// The window's picture, its samples resolved, as RGB rows from the top.
std::vector<unsigned char> resolvedPixels(int width, int height) {
    GLuint framebuffer = 0, colour = 0;
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glGenRenderbuffers(1, &colour);
    glBindRenderbuffer(GL_RENDERBUFFER, colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    std::vector<unsigned char> rows(static_cast<std::size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteRenderbuffers(1, &colour);
    return rows;
}

// At every place: the picture at full size with 4 samples, then at lower scales with 4 or no
// samples in the scene target, drawn up bilinearly or along the edges, each with its
// similarity (SSIM) to the full-size one and its frame rate.
void compareScaledPictures(Game& game, CameraState& player, int frames) {
    struct Variant {
        float scale;
        int samples;
        DrawUp filter;
    };
    const Variant variants[] = {{0.5f, 4, DrawUp::Bilinear},  {0.5f, 0, DrawUp::Bilinear},
                                {0.5f, 0, DrawUp::EdgeAware}, {0.4f, 0, DrawUp::EdgeAware},
                                {0.35f, 0, DrawUp::Bilinear}, {0.35f, 0, DrawUp::EdgeAware}};
    std::printf(
        "similarity to the full-size 4x picture (SSIM) and frame rate, by scale, samples and "
        "draw-up (b bilinear, e edge-aware):\n");
    for (const Place& place : places) {
        standAt(player, place);
        game.renderShadowMaps();
        game.sceneTarget.setScaledSamples(sceneSamples);
        mainPass(game, 1.0f);
        const std::vector<unsigned char> full = resolvedPixels(game.width, game.height);
        std::printf("  %-20s", place.name);
        // Every picture of the same world first: the timed frames move the creatures.
        std::vector<double> similarities;
        for (const Variant& variant : variants) {
            game.sceneTarget.setScaledSamples(variant.samples);
            game.sceneTarget.setDrawUp(variant.filter);
            mainPass(game, variant.scale);
            similarities.push_back(
                structuralSimilarity(full, resolvedPixels(game.width, game.height), game.width, game.height));
        }
        for (std::size_t v = 0; v < std::size(variants); ++v) {
            game.sceneTarget.setScaledSamples(variants[v].samples);
            game.sceneTarget.setDrawUp(variants[v].filter);
            timeFrames(game, player, place, 2, false, variants[v].scale);
            const FrameTimes times = timeFrames(game, player, place, frames, false, variants[v].scale);
            std::printf("  %.2f/%dx/%c: %.3f %5.1f fps", variants[v].scale, variants[v].samples,
                        variants[v].filter == DrawUp::Bilinear ? 'b' : 'e', similarities[v],
                        1000.0 / times.frameMs);
        }
        std::printf("\n");
    }
    game.sceneTarget.setScaledSamples(0);
    game.sceneTarget.setDrawUp(DrawUp::Bilinear);
}

void printSplit(const char* label, const FrameTimes& times) {
    std::printf(
        "  %s: shadow passes %7.2f ms  main pass %7.2f ms  swap %6.2f ms  frame %7.2f ms  (%.1f fps)\n",
        label, times.shadowMs, times.mainMs, times.swapMs, times.frameMs, 1000.0 / times.frameMs);
}

// The timedemo of the recorded route in this window, the scene drawn at `scale`: every
// frame advances the world 30 ms, as the game's timedemo does, and is timed whole and by
// part. Prints the frame times' percentiles and the mean parts.
void timeRoute(Game& game, const Recording& route, float scale) {
    game.startReplay(route);
    game.buildWorld();
    std::vector<double> frameMs;
    FrameTimes parts;
    while (!game.runHasEnded() && game.ticksRun < static_cast<long>(route.ticks.size())) {
        glFinish();
        const auto frameStart = Clock::now();
        Platform::pollEvents();
        game.advanceWorld(30.0);
        const auto shadowStart = Clock::now();
        game.renderShadowMaps();
        glFinish();
        parts.shadowMs += msSince(shadowStart);
        const auto mainStart = Clock::now();
        mainPass(game, scale);
        glFinish();
        parts.mainMs += msSince(mainStart);
        const auto swapStart = Clock::now();
        game.platform.swapBuffers();
        glFinish();
        parts.swapMs += msSince(swapStart);
        frameMs.push_back(msSince(frameStart));
    }
    const FrameSummary summary = summariseFrames(frameMs);
    std::printf("route at %.2f: %s\n", scale, timedemoLine(summary).c_str());
    const double frames = std::max(1, summary.frames);
    std::printf("  mean parts: shadow passes %.2f ms, main pass %.2f ms, swap %.2f ms; %s, world %016llx\n",
                parts.shadowMs / frames, parts.mainMs / frames, parts.swapMs / frames,
                game.getHealth() > 0.0f && game.runHasEnded() ? "won" : "not won",
                static_cast<unsigned long long>(worldChecksum(game)));
}

// Writes RGB rows from the top (as resolvedPixels gives them) as a PPM picture.
void writeRowsPpm(const std::string& path, const std::vector<unsigned char>& rows, int width, int height) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << width << " " << height << "\n255\n";
    out.write(reinterpret_cast<const char*>(rows.data()), static_cast<std::streamsize>(rows.size()));
}

// Plays the recorded route for `frames` frames of 30 ms, then draws that one frame at full
// size with 4 samples, at 0.5 drawn up bilinearly, and at 0.35 drawn up bilinearly and along
// the edges; writes each to DIR as a PPM and prints its similarity (SSIM) to the first.
void routeShots(Game& game, const Recording& route, int frames, const std::string& folder) {
    game.startReplay(route);
    game.buildWorld();
    for (int i = 0; i < frames && !game.runHasEnded(); ++i) game.advanceWorld(30.0);
    game.renderShadowMaps();
    struct Shot {
        const char* name;
        float scale;
        DrawUp filter;
    };
    const Shot shots[] = {{"full", 1.0f, DrawUp::Bilinear},
                          {"half-bilinear", 0.5f, DrawUp::Bilinear},
                          {"floor-bilinear", 0.35f, DrawUp::Bilinear},
                          {"floor-edge-aware", 0.35f, DrawUp::EdgeAware}};
    std::vector<unsigned char> full;
    std::printf("route frame %d (%.2f s of game time), similarity to the full-size 4x frame (SSIM):\n",
                frames, game.ticksRun * tickMs / 1000.0);
    for (const Shot& shot : shots) {
        game.sceneTarget.setScaledSamples(0);
        game.sceneTarget.setDrawUp(shot.filter);
        mainPass(game, shot.scale);
        const std::vector<unsigned char> rows = resolvedPixels(game.width, game.height);
        if (full.empty()) full = rows;
        const std::string path = folder + "/" + shot.name + ".ppm";
        writeRowsPpm(path, rows, game.width, game.height);
        std::printf("  %-17s %.2f  %.3f  %s\n", shot.name, shot.scale,
                    structuralSimilarity(full, rows, game.width, game.height), path.c_str());
    }
}

long residentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    }
    return 0;
}

// Builds the run `restarts` more times, as the game does at each restart, and prints the
// median build time, the programs each build linked and the resident memory after them.
void timeRestarts(Game& game, int restarts, int firstLinks) {
    std::vector<double> buildMs;
    std::vector<int> links;
    for (int i = 0; i < restarts; ++i) {
        const int linksBefore = shaderProgramLinks();
        const auto start = Clock::now();
        game.buildWorld();
        buildMs.push_back(msSince(start));
        links.push_back(shaderProgramLinks() - linksBefore);
    }
    std::sort(buildMs.begin(), buildMs.end());
    std::printf(
        "%d restarts: world build median %.0f ms (fastest %.0f, slowest %.0f); programs linked: "
        "%d by the first build, %d by the last; resident after them %ld kB\n",
        restarts, buildMs[buildMs.size() / 2], buildMs.front(), buildMs.back(), firstLinks, links.back(),
        residentKb());
}

}  // namespace

int main(int argc, char** argv) {
    int frames = 100;
    std::string shotFolder;
    bool cachedOnly = false;
    bool wholeLevel = false;
    std::string onlyPlace;
    bool plainDraws = false;
    bool route = false;
    bool similarity = false;
    int restarts = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--shots") == 0 && i + 1 < argc) {
            shotFolder = argv[++i];
        } else if (std::strcmp(argv[i], "--cached-only") == 0) {
            cachedOnly = true;
        } else if (std::strcmp(argv[i], "--whole-level") == 0) {
            wholeLevel = true;
        } else if (std::strcmp(argv[i], "--plain-draws") == 0) {
            plainDraws = true;
        } else if (std::strcmp(argv[i], "--route") == 0) {
            route = true;
        } else if (std::strcmp(argv[i], "--similarity") == 0) {
            similarity = true;
        } else if (std::strcmp(argv[i], "--restarts") == 0 && i + 1 < argc) {
            restarts = std::max(1, std::atoi(argv[++i]));
        } else if (std::strcmp(argv[i], "--place") == 0 && i + 1 < argc) {
            onlyPlace = argv[++i];
        } else {
            frames = std::max(1, std::atoi(argv[i]));
        }
    }
    if (!Platform::start()) {
        std::printf("no display\n");
        return 1;
    }
    GLFWwindow* window = openHiddenWindow(windowWidth, windowHeight, "Zarnhold benchmark");
    if (window == nullptr) {
        std::printf("no window\n");
        Platform::stop();
        return 1;
    }

    Game game;
    game.window = window;
    game.platform = Platform(window);
    game.width = windowWidth;
    game.height = windowHeight;
    ScriptedInput input;
    input.placeCursor(windowWidth / 2, windowHeight / 2);
    game.input = &input;
    game.initPictures();
    game.skipUnreachableLights = !plainDraws;
    game.skipUnseenMeshes = !plainDraws;
    const int linksBefore = shaderProgramLinks();
    const auto buildStart = Clock::now();
    game.buildWorld();
    const double buildMs = msSince(buildStart);
    if (restarts > 0) {
        timeRestarts(game, restarts, shaderProgramLinks() - linksBefore);
        Platform::stop();
        return 0;
    }
    GameState = PLAYING;
    CameraState* player = nullptr;
    for (AppState* object : game.sceneObjects) {
        if (auto* found = dynamic_cast<CameraState*>(object)) player = found;
        if (auto* level = dynamic_cast<Level*>(object)) level->cullHiddenRooms = !wholeLevel;
    }
    if (player == nullptr) {
        std::printf("the run has no player\n");
        Platform::stop();
        return 1;
    }

    std::printf("GL renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    std::printf("run built in %.0f ms; %zu scene objects, %zu shadow casters, %zu lights\n", buildMs,
                game.sceneObjects.size(), game.shadowCasterRoot.children.size(), game.lightList.size());
    if (!shotFolder.empty() && !route) takeShots(game, *player, shotFolder);
    if (similarity) {
        compareScaledPictures(game, *player, frames);
        Platform::stop();
        return 0;
    }
    if (route) {
        const RecordingRead read = readRecordingFile("demos/route.zrec");
        if (!read.error.empty()) {
            std::printf("demos/route.zrec: %s\n", read.error.c_str());
            Platform::stop();
            return 1;
        }
        if (shotFolder.empty()) {
            for (float scale : {1.0f, 0.5f}) timeRoute(game, read.recording, scale);
        } else {
            routeShots(game, read.recording, frames, shotFolder);
        }
        Platform::stop();
        return 0;
    }

    std::printf(
        "%d frames at each place, %dx%d, 4x MSAA, enemies moving; times in ms, plain = every "
        "cube redrawn every frame:\n",
        frames, windowWidth, windowHeight);
    FrameTimes startHall;
    for (const Place& place : places) {
        if (!onlyPlace.empty() && onlyPlace != place.name) continue;
        // The first frames fill the shadow caches.
        timeFrames(game, *player, place, 3, false);
        const FrameTimes times = timeFrames(game, *player, place, frames, false);
        std::printf("  %-20s frame %7.2f (%5.1f fps)  shadow %6.2f  main %6.2f  swap %6.2f", place.name,
                    times.frameMs, 1000.0 / times.frameMs, times.shadowMs, times.mainMs, times.swapMs);
        if (GpuTimer::available()) {
            std::printf("  cpu %6.2f  gpu %6.2f", times.submitMs, times.gpuMs);
        }
        if (!cachedOnly) {
            const FrameTimes plain = timeFrames(game, *player, place, frames, true);
            std::printf("  | plain: shadow %7.2f  main %6.2f  frame %7.2f", plain.shadowMs, plain.mainMs,
                        plain.frameMs);
        }
        std::printf("\n  %-20s", "");
        for (float scale : curveScales) {
            timeFrames(game, *player, place, 2, false, scale);
            const FrameTimes scaled = timeFrames(game, *player, place, frames, false, scale);
            std::printf("  %.2f: %5.1f fps (main %6.2f)", scale, 1000.0 / scaled.frameMs, scaled.mainMs);
        }
        std::printf("\n");
        if (&place == &places[0]) startHall = times;
    }

    timeFrames(game, *player, places[0], 3, false);
    std::printf("start hall:\n");
    reportOverdraw(game);
    reportUniformLookups(game);
    printSplit("cached shadows", startHall);
    std::printf("  processor time per frame: shadow %.2f ms, main %.2f ms\n", startHall.shadowCpuMs,
                startHall.mainCpuMs);
    Platform::stop();
    return 0;
}
