// The gamepad's rules: the sticks' dead zone and curve, the left stick, A and the triggers
// (as a pad's mapping reads them) as the keys and buttons of a tick, and the right stick
// turning the view.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/GamepadRules.h"
#include "app/RecordedInput.h"
#include "tests/ScriptedInput.h"

using namespace zarnhold;

namespace {

// A tick's keys and buttons as a recording writes them: "WSADJ LR", `-` for each not held.
std::string heldLetters(const TickInput& tick) {
    std::string out;
    out += tick.forward ? 'W' : '-';
    out += tick.backward ? 'S' : '-';
    out += tick.left ? 'A' : '-';
    out += tick.right ? 'D' : '-';
    out += tick.jump ? 'J' : '-';
    out += ' ';
    out += tick.attack ? 'L' : '-';
    out += tick.block ? 'R' : '-';
    return out;
}

// The triggers given as their axes read: -1 let go, 1 pulled all the way.
GamepadState padWith(glm::vec2 left, glm::vec2 right, float leftTriggerAxis, float rightTriggerAxis, bool a) {
    GamepadState pad;
    pad.leftStick = left;
    pad.rightStick = right;
    pad.leftTrigger = triggerPull(leftTriggerAxis);
    pad.rightTrigger = triggerPull(rightTriggerAxis);
    pad.a = a;
    return pad;
}

}  // namespace

TEST(Gamepad, SticksTriggersAndAReadAsTheKeysAndButtonsOfATickAndTheRightStickIsShaped) {
    struct Case {
        const char* what;
        GamepadState pad;
        int keyHeld;  // on the keyboard as well, or 0
        const char* held;
        glm::vec2 shapedRight;
    };
    const std::vector<Case> cases = {
        {"nothing held, as an unplugged pad reads", GamepadState(), 0, "----- --", {0.0f, 0.0f}},
        {"resting a little off centre",
         padWith({0.1f, -0.1f}, {0.1f, -0.1f}, -1.0f, -1.0f, false),
         0,
         "----- --",
         {0.0f, 0.0f}},
        {"pushed ahead all the way",
         padWith({0.0f, -1.0f}, {0.0f, -1.0f}, -1.0f, -1.0f, false),
         0,
         "W---- --",
         {0.0f, -1.0f}},
        // Half-way past the dead zone: a quarter of the full turn.
        {"half-way back",
         padWith({0.0f, 0.575f}, {0.0f, 0.575f}, -1.0f, -1.0f, false),
         0,
         "-S--- --",
         {0.0f, 0.25f}},
        {"a small push turns a little and walks nowhere",
         padWith({-0.35f, 0.0f}, {-0.35f, 0.0f}, -1.0f, -1.0f, false),
         0,
         "----- --",
         {-0.0553633f, 0.0f}},
        {"a full diagonal",
         padWith({0.7071068f, -0.7071068f}, {0.7071068f, -0.7071068f}, -1.0f, -1.0f, false),
         0,
         "W--D- --",
         {0.7071068f, -0.7071068f}},
        {"mostly left, a little back",
         padWith({-0.9f, 0.3f}, {-0.9f, 0.3f}, -1.0f, -1.0f, false),
         0,
         "--A-- --",
         {-0.8375901f, 0.2791967f}},
        // A square pad's corner reads past the unit circle: full push, no more.
        {"a square pad's corner",
         padWith({1.0f, 1.0f}, {1.0f, 1.0f}, -1.0f, -1.0f, false),
         0,
         "-S-D- --",
         {0.7071068f, 0.7071068f}},
        {"triggers resting lightly", padWith({}, {}, -0.5f, -0.5f, false), 0, "----- --", {0.0f, 0.0f}},
        {"a pad whose mapping has no triggers",
         padWith({}, {}, 0.0f, 0.0f, false),
         0,
         "----- --",
         {0.0f, 0.0f}},
        {"both triggers pulled, A down", padWith({}, {}, -0.3f, 1.0f, true), 0, "----J LR", {0.0f, 0.0f}},
        {"S on the keyboard with the stick ahead",
         padWith({0.0f, -1.0f}, {}, -1.0f, -1.0f, false),
         keys::s,
         "WS--- --",
         {0.0f, 0.0f}},
    };
    for (const Case& c : cases) {
        ScriptedInput input;
        input.pad = c.pad;
        if (c.keyHeld != 0) input.press(c.keyHeld);
        const TickInput tick = readTickInput(input, 0.25, -0.5);
        EXPECT_EQ(heldLetters(tick), c.held) << c.what;
        EXPECT_EQ(tick.horizontalAngle, 0.25) << c.what << ": the pad leaves a tick's angles alone";
        const glm::vec2 shaped = shapeStick(c.pad.rightStick);
        EXPECT_NEAR(shaped.x, c.shapedRight.x, 1e-5f) << c.what;
        EXPECT_NEAR(shaped.y, c.shapedRight.y, 1e-5f) << c.what;
    }
}

TEST(Gamepad, TheRightStickTurnsAsTheMouseDoesAtItsRatesAndStopsAtStraightUpOrDown) {
    double h = 1.0, v = 0.0;
    // Right turns right and down looks down, as the mouse moved right or down does.
    turnByStick(h, v, {1.0f, 0.0f}, 0.5);
    EXPECT_DOUBLE_EQ(h, 1.0 + stickTurnRateAcross * 0.5);
    turnByStick(h, v, {0.0f, 1.0f}, 0.25);
    EXPECT_DOUBLE_EQ(v, stickTurnRateUpDown * 0.25);
    for (int i = 0; i < 100; ++i) turnByStick(h, v, {0.0f, -1.0f}, 0.1);
    EXPECT_DOUBLE_EQ(v, -1.57);
    EXPECT_DOUBLE_EQ(h, 1.0 + stickTurnRateAcross * 0.5) << "straight up or down turns nothing across";
}
