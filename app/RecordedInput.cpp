#include "app/RecordedInput.h"

#include "app/GamepadRules.h"

namespace zarnhold {

void RecordedInput::hold(const TickInput& input, glm::dvec2 centre) {
    tick = input;
    at = centre;
}

bool RecordedInput::keyDown(int key) const {
    switch (key) {
        case keys::w: return tick.forward;
        case keys::s: return tick.backward;
        case keys::a: return tick.left;
        case keys::d: return tick.right;
        case keys::space: return tick.jump;
        case keys::m: return tick.fly;
        default: return false;
    }
}

bool RecordedInput::buttonDown(int button) const {
    if (button == mouseButtons::left) return tick.attack;
    if (button == mouseButtons::right) return tick.block;
    return false;
}

TickInput readTickInput(const PlayerInput& input, double h, double v) {
    TickInput tick;
    tick.forward = input.keyDown(keys::w);
    tick.backward = input.keyDown(keys::s);
    tick.left = input.keyDown(keys::a);
    tick.right = input.keyDown(keys::d);
    tick.jump = input.keyDown(keys::space);
    tick.fly = input.keyDown(keys::m);
    tick.attack = input.buttonDown(mouseButtons::left);
    tick.block = input.buttonDown(mouseButtons::right);
    addPadHolds(tick, input.gamepad());
    tick.horizontalAngle = h;
    tick.verticalAngle = v;
    return tick;
}

bool RecordedInput::anyKeyOrButton() const {
    return tick.forward || tick.backward || tick.left || tick.right || tick.jump || tick.fly || tick.attack ||
           tick.block;
}

}  // namespace zarnhold
