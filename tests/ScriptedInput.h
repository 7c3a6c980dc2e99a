#pragma once

#include <set>

#include "run/PlayerInput.h"

namespace zarnhold {

// Keys, buttons, a cursor and a gamepad that a test sets by hand. The cursor stays where the game
// last placed it until the test moves it, as a real one does.
class ScriptedInput : public PlayerInput {
public:
    bool keyDown(int key) const override { return keysDown.count(key) > 0; }
    bool buttonDown(int button) const override { return buttonsDown.count(button) > 0; }
    glm::dvec2 cursor() const override { return at; }
    void placeCursor(double x, double y) override { at = glm::dvec2(x, y); }
    bool windowFocused() const override { return focused; }
    bool anyKeyOrButton() const override { return !keysDown.empty() || !buttonsDown.empty(); }
    GamepadState gamepad() const override { return pad; }

    void press(int key) { keysDown.insert(key); }
    void release(int key) { keysDown.erase(key); }
    void releaseAll() {
        keysDown.clear();
        buttonsDown.clear();
        pad = GamepadState();
    }

    std::set<int> keysDown;
    std::set<int> buttonsDown;
    glm::dvec2 at{0.0};
    bool focused = true;
    // Unplugged, it reads as the default: nothing held.
    GamepadState pad;
};

}  // namespace zarnhold
