#pragma once

#include <glm/glm.hpp>

namespace zarnhold {

// Key and mouse-button codes the game reads, with GLFW's values, so that code reading
// input needs no GLFW header.
namespace keys {
constexpr int space = 32;
constexpr int a = 65;
constexpr int d = 68;
constexpr int m = 77;
constexpr int s = 83;
constexpr int w = 87;
constexpr int escape = 256;
constexpr int enter = 257;
constexpr int tab = 258;
constexpr int f1 = 290;
constexpr int f3 = 292;
constexpr int f11 = 300;
constexpr int leftAlt = 342;
constexpr int rightAlt = 346;
// The options panel's keys: F2 and the arrows.
constexpr int f2 = 291;
constexpr int right = 262;
constexpr int left = 263;
constexpr int down = 264;
constexpr int up = 265;
}  // namespace keys

namespace mouseButtons {
constexpr int left = 0;
constexpr int right = 1;
}  // namespace mouseButtons

// A gamepad in the standard layout as it stands: each stick from -1 to 1 each way (x to
// the right, y downwards), each trigger from 0 (let go) to 1 (pulled all the way). The
// defaults are a pad with nothing held, which is also how a missing pad reads.
struct GamepadState {
    glm::vec2 leftStick{0.0f};
    glm::vec2 rightStick{0.0f};
    float leftTrigger = 0.0f;
    float rightTrigger = 0.0f;
    bool a = false;
    bool back = false;
    bool start = false;
};

// What the player reads of the keyboard, the mouse and the gamepad: the current state, no
// events. The game backs it with the window (Platform); a test backs it with a script.
class PlayerInput {
public:
    virtual ~PlayerInput() = default;

    virtual bool keyDown(int key) const = 0;
    virtual bool buttonDown(int button) const = 0;
    // Cursor position in window pixels, origin at the top left.
    virtual glm::dvec2 cursor() const = 0;
    virtual void placeCursor(double x, double y) = 0;
    // Whether the game's window has the keyboard and is not minimised: a run pauses when it
    // loses them.
    virtual bool windowFocused() const { return true; }
    // Whether any key or mouse button is held: one goes on from a pause.
    virtual bool anyKeyOrButton() const = 0;
    // The first connected gamepad; with none (or from an input that has no pad) nothing held.
    virtual GamepadState gamepad() const { return {}; }
    // Whether the pause button (the pad's Start) is down now; a pause takes its fresh press.
    bool pausePressed() const { return gamepad().start; }
};

}  // namespace zarnhold
