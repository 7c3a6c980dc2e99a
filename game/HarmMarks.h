#pragma once

#include <array>

#include <glm/glm.hpp>

namespace zarnhold {

// Where the player is being hurt from, for the red marks at the edge of the view: each
// harm is kept by the way it came from (a bearing on the ground plane, so the marks stay on
// the attacker's side as the view turns), full while it goes on and fading within a second
// of it stopping. A new contact also lights a short flash over the whole view. Plain values
// only; advanced with the world's ticks.
class HarmMarks {
public:
    // The sides of the view a mark can be at, clockwise from the front.
    enum Side { front, frontRight, right, backRight, back, backLeft, left, frontLeft, sideCount };

    // The bearing of `to` seen from `from` (render frame), the way the view's horizontal
    // angle counts: 0 along +z, growing towards +x.
    static double bearing(glm::vec3 from, glm::vec3 to);
    // The side of a view turned to `horizontalAngle` that `bearing` lies on.
    static Side sideOf(double bearing, double horizontalAngle);

    // Harm this tick from the way `bearing`; `newContact` when it is the first tick of a touch.
    void harmFrom(double bearing, bool newContact);
    // `ms` of game time pass.
    void advance(double ms);
    // How strongly each side of a view turned to `horizontalAngle` shows its mark, 0 to 1.
    std::array<float, sideCount> sides(double horizontalAngle) const;
    // The flash over the view after a new contact, 0 to 1.
    float flash() const;

    // A mark stays full this long after its last harm (a touch harms every tick), then fades.
    static constexpr double fullMs = 100.0;
    static constexpr double fadeMs = 900.0;
    static constexpr double flashMs = 150.0;

private:
    struct Mark {
        double bearing = 0.0;
        // Since its last harm; a mark at or past fullMs + fadeMs is gone.
        double ageMs = fullMs + fadeMs;
    };
    // One per way harm can come from at once: a crowd seldom touches from more.
    std::array<Mark, sideCount> marks{};
    double flashLeftMs = 0.0;
};

}  // namespace zarnhold
