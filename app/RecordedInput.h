#pragma once

#include "app/TickInput.h"
#include "run/PlayerInput.h"

namespace zarnhold {

// The player's input during one tick of the world: the keys and buttons of that tick's
// input (live or replayed), and a cursor that rests where the player last put it, so the
// tick itself turns nothing (the view's angles come with the tick's input).
class RecordedInput : public PlayerInput {
public:
    // The tick about to run, with the cursor resting at `centre`.
    void hold(const TickInput& input, glm::dvec2 centre);

    bool keyDown(int key) const override;
    bool buttonDown(int button) const override;
    glm::dvec2 cursor() const override { return at; }
    void placeCursor(double x, double y) override { at = glm::dvec2(x, y); }
    bool anyKeyOrButton() const override;

private:
    TickInput tick;
    glm::dvec2 at{0.0};
};

// What `input` holds now (keys, buttons and the gamepad), as a tick's input, with the
// view's angles `h` and `v`.
TickInput readTickInput(const PlayerInput& input, double h, double v);

}  // namespace zarnhold
