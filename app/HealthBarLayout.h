#pragma once

namespace zarnhold {

// Where the health bar and its parts lie on the window: pure, so that it is tested without one.

// A rectangle in window pixels, origin at the lower left as GL counts.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct HealthBarLayout {
    PixelRect frame;  // the dark box
    PixelRect fill;   // the red part inside it; width 0 at no health
    PixelRect lost;   // the lighter part after the fill: health just lost; width 0 when none
};

// Where the bar lies in a window of `width` x `height`: a fifth of the width of a 1600 x
// 900 window, scaled with the window's height; the fill in proportion to `health`, the lost
// part from there up to `trail` (see HealthTrail; none when it is not above `health`).
HealthBarLayout layoutHealthBar(int width, int height, float health, float trail = 0.0f);

}  // namespace zarnhold
