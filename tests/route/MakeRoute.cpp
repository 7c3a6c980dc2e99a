// Makes the recorded route, demos/route.zrec: plays the real game in a hidden window (every
// creature, the sword, the goal crystal) along the route the route test walks, on foot from
// the start hall over the bridge to the goal crystal, fighting on the way, and writes the
// run the game recorded once it is won. Tries seeds from 1 until a run wins.
// Usage (under a display, from the game folder): make_route OUT.zrec [FIRST_SEED]
#include <cstdio>
#include <cstdlib>
#include <string>

#include <btBulletDynamicsCommon.h>
#include <glm/glm.hpp>

#include "app/Game.h"
#include "app/Platform.h"
#include "app/RecordingFile.h"
#include "app/WorldClock.h"
#include "game/CameraState.h"
#include "game/Enemy.h"
#include "run/LevelPlaces.h"
#include "scene/Rotation.h"
#include "tests/HiddenWindow.h"
#include "tests/RouteFollower.h"
#include "tests/RouteWaypoints.h"
#include "tests/ScriptedInput.h"

using namespace zarnhold;

namespace {

constexpr int windowWidth = 1600;
constexpr int windowHeight = 900;

// The game's own run, driven through its ticks by a script, as the follower walks it.
struct GameRun {
    GameRun(Game& game, ScriptedInput& input) : game(game), input(input), player(game.player) {}

    void frame(double seconds) {
        player->look(input);
        game.advanceWorld(seconds * 1000.0);
        simulatedSeconds = static_cast<double>(game.ticksRun) * tickMs / 1000.0;
    }
    glm::vec3 bodyOrigin() const {
        const btVector3& o = player->body->getWorldTransform().getOrigin();
        return {o.x(), o.y(), o.z()};
    }
    glm::vec3 velocity() const {
        const btVector3& v = player->body->getLinearVelocity();
        return {v.x(), v.y(), v.z()};
    }
    void turnBy(double radians) { input.at.x += radians / 0.001; }

    Game& game;
    ScriptedInput& input;
    CameraState* player;
    double simulatedSeconds = 0.0;
};

// The shield up, but for sweeps at a living creature within reach (the button let go
// between sweeps) while health is above 600.
void fight(GameRun& run) {
    bool near = false;
    for (AppState* object : run.game.sceneObjects) {
        auto* enemy = dynamic_cast<Enemy*>(object);
        if (enemy == nullptr || !enemy->active || enemy->dead) continue;
        near = near || glm::distance(enemy->renderCentre(), run.player->getPosition()) < 1.6f;
    }
    run.input.buttonsDown.clear();
    const bool sweeping = near && run.game.getHealth() > 600.0f;
    if (sweeping && run.game.ticksRun % 16 < 8) run.input.buttonsDown.insert(mouseButtons::left);
    if (!sweeping) run.input.buttonsDown.insert(mouseButtons::right);
}

// One run from `seed`: what went wrong, or an empty string when it reached the goal.
std::string tryRoute(Game& game, ScriptedInput& input, std::uint64_t seed) {
    game.nextRunSeed = seed;
    input.releaseAll();
    input.placeCursor(windowWidth / 2, windowHeight / 2);
    game.buildWorld();
    GameRun run(game, input);
    Follower<GameRun> follower(run, 0.03);
    follower.beforeFrame = [&] { fight(run); };
    // The route test's way to the junction without its detours (the west room, the crowd
    // room twice), into the east arena and back, then on to the bridge and the goal room:
    // the start hall, the crowd room and the arena are the places the timedemo times.
    const std::vector<Waypoint> toJunction = {kToJunction[0], kToJunction[1],  kToJunction[6], kToJunction[7],
                                              kToJunction[8], kToJunction[11], kToJunction[12]};
    const std::vector<Waypoint> arena = {kGalleryAndBack[0], kGalleryAndBack[1], kGalleryAndBack[20],
                                         kGalleryAndBack[21]};
    const std::vector<Waypoint> route = joined({&toJunction, &arena, &kToBridge, &kToGoal});
    std::string failure = follower.follow(route);
    if (!failure.empty()) return failure;
    const glm::vec3 goal = renderToPhysics(levelPlaces().goalCrystalRenderPos);
    failure =
        follower.walkUntil(glm::vec2(goal.x, goal.z), "the goal crystal", [&] { return game.runHasEnded(); });
    if (failure.empty() && game.getHealth() <= 0.0f) failure = "died at the goal";
    return failure;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_route OUT.zrec [FIRST_SEED]\n");
        return 2;
    }
    const std::uint64_t first = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
    if (!Platform::start()) return 1;
    GLFWwindow* window = openHiddenWindow(windowWidth, windowHeight, "Zarnhold route");
    if (window == nullptr) return 1;
    Game game;
    ScriptedInput input;
    game.window = window;
    game.width = windowWidth;
    game.height = windowHeight;
    game.input = &input;
    game.recordsTicks = true;
    game.initPictures();
    for (std::uint64_t seed = first; seed < first + 50; ++seed) {
        const std::string failure = tryRoute(game, input, seed);
        std::fprintf(stderr, "seed %llu: %s (%.1f s, health %.0f)\n", static_cast<unsigned long long>(seed),
                     failure.empty() ? "won" : failure.c_str(), game.runSeconds, game.getHealth());
        if (failure.empty()) {
            if (!writeRecordingFile(argv[1], game.recorded())) return 1;
            std::fprintf(stderr, "wrote %s: %zu ticks\n", argv[1], game.recorded().ticks.size());
            return 0;
        }
    }
    return 1;
}
