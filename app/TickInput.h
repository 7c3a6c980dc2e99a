#pragma once

#include <cstdint>
#include <vector>

namespace zarnhold {

// What the player does in one tick of the world (10 ms of game time): the keys and buttons
// held and where the view points. A run replays exactly from its seed and these.
struct TickInput {
    bool forward = false;   // W
    bool backward = false;  // S
    bool left = false;      // A
    bool right = false;     // D
    bool jump = false;      // Space
    bool fly = false;       // M
    bool attack = false;    // left button
    bool block = false;     // right button
    // The view's angles in radians, as the player's turning left them (the mouse is read
    // every frame, between ticks).
    double horizontalAngle = 0.0;
    double verticalAngle = 0.0;

    bool operator==(const TickInput& other) const {
        return forward == other.forward && backward == other.backward && left == other.left &&
               right == other.right && jump == other.jump && fly == other.fly && attack == other.attack &&
               block == other.block && horizontalAngle == other.horizontalAngle &&
               verticalAngle == other.verticalAngle;
    }
    bool operator!=(const TickInput& other) const { return !(*this == other); }
};

// A recorded run: the seed of its one random generator and every tick's input, in order.
struct Recording {
    std::uint64_t seed = 0;
    std::vector<TickInput> ticks;
};

}  // namespace zarnhold
