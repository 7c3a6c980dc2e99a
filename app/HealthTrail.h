#pragma once

namespace zarnhold {

// The health bar's memory of a loss: after health falls, the bar shows the part just lost
// as a lighter segment that stays a moment and then drains down to the health, so a blow
// can be read after it has landed. A heal shows at once. Plain values, game time.
class HealthTrail {
public:
    // `health` as it stands after `ms` more of game time.
    void follow(float health, double ms);
    // Starts a run: nothing lost.
    void reset(float health);
    // The health the lighter segment reaches up to (at least the health itself).
    float trail() const { return shown; }

    // While health keeps falling the segment holds; this long after the last fall it drains.
    static constexpr double holdMs = 500.0;
    // Health a second the segment drains by.
    static constexpr float drainPerSecond = 800.0f;

private:
    float shown = 1000.0f;
    float lastHealth = 1000.0f;
    double sinceFallMs = 0.0;
};

}  // namespace zarnhold
