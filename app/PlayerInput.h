#pragma once

#include <glm/glm.hpp>

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

// What the player reads of the keyboard and the mouse: the current state, no events. The
// game backs it with the window (Platform); a test backs it with a script.
class PlayerInput {
public:
    virtual ~PlayerInput() = default;

    virtual bool keyDown(int key) const = 0;
    virtual bool buttonDown(int button) const = 0;
    // Cursor position in window pixels, origin at the top left.
    virtual glm::dvec2 cursor() const = 0;
    virtual void placeCursor(double x, double y) = 0;
};
