#pragma once

#include <array>

#include "game/HarmMarks.h"

namespace zarnhold {

// Draws the player's harm over the playing view at the window's full size: a red glow on
// each side of the view's edge that harm comes from, and a brief red flash over the whole
// view when a new touch begins. Blended, with no depth test; draws nothing while there is
// nothing to show. Needs a current GL context.
class HarmOverlay {
public:
    HarmOverlay() = default;
    HarmOverlay(const HarmOverlay&) = delete;
    HarmOverlay& operator=(const HarmOverlay&) = delete;

    // Builds the program ("harmmark.vert", "harmmark.frag"); without it nothing is drawn.
    void init();
    // `sides`: each side's strength (HarmMarks::sides), `flash` the flash's (0 to 1).
    void draw(const std::array<float, HarmMarks::sideCount>& sides, float flash) const;
    void release();

    // Where a side's glow is centred on the window's edge, in normalised device coordinates:
    // the front at the top, the back at the bottom, the corners between.
    static void sideAnchor(HarmMarks::Side side, float& x, float& y);

private:
    void drawRect(float x0, float y0, float x1, float y1, float alpha, float glow) const;

    unsigned int program = 0;
    unsigned int emptyVertexArray = 0;
};

}  // namespace zarnhold
