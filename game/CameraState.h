#pragma once

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include <glm/glm.hpp>

#include "game/Footsteps.h"
#include "game/HarmMarks.h"
#include "game/Movement.h"
#include "run/AppState.h"

class btBoxShape;
class btRigidBody;

namespace zarnhold {

class RunContext;
class Level;
class PhysicsWorld;
class PlayerInput;
class Shield;

// The player: turns keys and the mouse (read through the game's PlayerInput) into pushes
// on a box body, or into free flight after M; puts the eye on the body; writes the game's
// view and projection; records the mouse buttons for the sword and the enemies; carries
// and draws the shield. The body lives in the physics frame, the eye and every matrix in
// the render frame ((x, y, z) drawn at (x, -y, -z)).
class CameraState : public AppState {
public:
    // Touches neither GL nor physics.
    CameraState(RunContext* game, Level* level);
    ~CameraState() override;

    // startMoving, then the shield's model, picture, buffers and program.
    void init() override;
    // One tick of the world, `elapsedMs` of game time: the keys and buttons through the
    // game's input, the angles as they stand (set from the tick's input). Needs startMoving
    // first.
    void update(double elapsedMs) override;
    // Every frame, before the world's ticks: turns the view by the mouse's motion since the
    // last frame, so looking follows the frame rate, not the ticks.
    void look(PlayerInput& input);
    // The next look starts from wherever the cursor is then: after the cursor was released
    // or captured, or put somewhere by the game, its jump is no motion of the player's.
    void forgetCursor() { lastCursor.reset(); }
    // The eye drawn between the last two ticks, the view written from it and the shield
    // placed on it.
    void pose(double tickFraction) override;
    // Draws the shield, lit by the first light (by a lamp at the eye when there is none).
    void render(glm::mat4 view, glm::mat4 projection, std::vector<Light*> lights) override;

    // The body at the start (physics (0, 0, 6.5)) in the game's current physics world, the
    // angles at 0, the eye and the cursor as a run starts. Makes no GL call.
    void startMoving();
    // The eye, render frame, as the world's last tick left it.
    glm::vec3 getPosition() const { return position; }
    // The eye as drawn this frame: between the last two ticks' eyes.
    glm::vec3 drawnEye() const { return eyeDrawn; }

    glm::vec3 direction{0.0f};
    glm::vec3 up{0.0f};
    glm::vec3 right{0.0f};
    // Radians: horizontal never wrapped, vertical within +-1.57.
    double horizontalAngle = 0.0;
    double verticalAngle = 0.0;
    bool flyMode = false;
    Level* level = nullptr;
    // Owned, with the body, by the run's physics.
    btBoxShape* bodyShape = nullptr;
    glm::vec3 position{0.0f};
    // The eye as the tick before the last left it.
    glm::vec3 previousPosition{0.0f};
    RunContext* game = nullptr;
    bool attackHeld = false;
    bool blockHeld = false;
    glm::mat4 pitchMatrix{1.0f};
    glm::mat4 yawMatrix{1.0f};
    btRigidBody* body = nullptr;
    bool shieldRaised = false;
    std::unique_ptr<Shield> shield;
    // Where harm has come from lately, told by the enemies, for the marks at the view's edge.
    HarmMarks harmMarks;
    // The physics the body was added to.
    PhysicsWorld* physics = nullptr;
    // The camera this eye gives: written by the player's update and pose, which the game
    // draws with.
    glm::mat4 viewMatrix{1.0f};
    glm::mat4 projectionMatrix{1.0f};

    // A creature's push this tick (physics frame), from creature `from`. The body takes the
    // tick's pushes together once every object has updated (applyPushes), in the creatures'
    // order, each capped by the speed the ones before it left.
    void takePush(int from, glm::vec3 push);
    void applyPushes();

private:
    MoveKeys readMoveKeys(const PlayerInput& input) const;
    void walk(const PlayerInput& input, double elapsedMs);
    // The view's vectors and turns from the angles as they stand.
    void followAngles();
    glm::vec3 eyeDrawn{0.0f};
    // Steps and landings, by the body's speed this frame.
    void soundFeet(double elapsedMs);
    FootstepState footsteps;
    std::vector<std::pair<int, glm::vec3>> pushes;
    void readButtons(const PlayerInput& input);
    void writeCamera(glm::vec3 eye);
    void turnWithMouse(PlayerInput& input);
    // Where the cursor was at the last look; none before the first.
    std::optional<glm::dvec2> lastCursor;
    void placeShield(glm::vec3 eye);
};

}  // namespace zarnhold
