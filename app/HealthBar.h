#pragma once

// A small bar in the lower left corner of the playing view: health from 1000 (full) to 0.
// Drawn at the window's full size over the scene, by two scissored clears, so it costs
// no draw call and no program.

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

// Fills `rect` of the bound framebuffer with a colour by a scissored clear (nothing when it
// is empty), with the scissor test the caller has enabled; leaves both rectangle and colour changed.
void clearPixelRect(const PixelRect& rect, float r, float g, float b);

// Draws the bar into the bound framebuffer. Leaves the clear colour and the scissor test as
// it found them (clear colour black, scissor off).
void drawHealthBar(const HealthBarLayout& layout);
