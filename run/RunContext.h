#pragma once

#include <memory>
#include <vector>

#include <glm/glm.hpp>

#include "run/Harm.h"
#include "run/SoundEvents.h"
#include "scene/GlLedger.h"
#include "scene/RunRandom.h"

namespace zarnhold {

class AppState;
class Node;
class PhysicsWorld;
class PlayerInput;
class RenderWorld;
struct Light;

// What a run's objects (player, enemies, sword, level, crystals) may read and call of the
// game that holds them: the window's size, the player's eye, health and its operations,
// the calls that put an object, a light or a shadow caster into the run, the run's physics
// world, its random generator, its GL ledger and the input. The run's lists, the camera's
// matrices and the loop are the game's own. Game
// derives from it; game/, render/ and audio/ see nothing of app/, only this floor below
// them. Each object keeps one pointer to it, named `game`.
class RunContext {
public:
    RunContext();
    virtual ~RunContext();
    RunContext(const RunContext&) = delete;
    RunContext& operator=(const RunContext&) = delete;

    // health - amount; a negative amount heals. The harm that takes health from above 0 to
    // 0 or below is what ended the run.
    void reduceHealth(float amount, Harm cause = Harm::unknown);
    float getHealth() const;
    // What ended the current run; unknown while it goes on.
    Harm runEndCause() const { return endCause; }
    // The player has reached the goal: the frame ends on the won picture.
    void setWon();
    // Puts `object` on the run's list of scene objects, which then owns it.
    virtual void addObject(AppState* object) = 0;
    // Registers a light, owned by its giver, in the run's light list (in the order given).
    virtual void addLight(Light* light) = 0;
    // Adds a node to the run's shadow casters.
    virtual void addShadowCaster(Node* caster) = 0;
    // A sound where it happens (render frame), or at the eye; silent without `soundEvents`.
    void playSound(Sound sound, glm::vec3 renderPos);
    void playSoundHere(Sound sound);

    int width = 0;
    int height = 0;
    // The player's eye (render frame) once the run has a player.
    glm::vec3* playerPosition = nullptr;
    float health = 1000.0f;
    // The current run's physics, owning every body made for it.
    std::unique_ptr<PhysicsWorld> physics;
    // What the player reads: the window's keys and mouse in the game, a script in a test.
    PlayerInput* input = nullptr;
    // Lit draws leave out the lights that their fixed shadows show cannot reach what is
    // drawn. Off, every light near the player is used everywhere; the picture is the same.
    bool skipUnreachableLights = true;
    // Lit draws of a mesh wholly outside the view are skipped; the picture is the same.
    bool skipUnseenMeshes = true;
    // Every GL object made while building the current run, given to each function that
    // makes one; freed when the next run is built.
    GlLedger runGlObjects;
    // The run's one random generator, seeded as the run is built (from its recording when
    // one is replayed).
    RunRandom random;
    // The player's look: radians the view turns a pixel of the mouse, whether moving it
    // forward looks down, and the view's vertical field of view.
    double lookSensitivity = 0.001;
    bool invertLook = false;
    float fieldOfViewDegrees = 45.0f;
    // Where the run's sounds go; none in tests that do not listen.
    SoundEvents* soundEvents = nullptr;
    // The GL side that outlives the run: the programs the objects draw with and the lights'
    // shadow renderers. The game's own; none where a test builds objects without a game.
    RenderWorld* renderWorld = nullptr;

protected:
    Harm endCause = Harm::unknown;
    // The goal was touched this run.
    bool runWon = false;
};

}  // namespace zarnhold
