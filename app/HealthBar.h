#pragma once

// A small bar in the lower left corner of the playing view: health from 1000 (full) to 0.
// Drawn at the window's full size over the scene, by two scissored clears, so it costs
// no draw call and no program.

#include "app/HealthBarLayout.h"

namespace zarnhold {

// Fills `rect` of the bound framebuffer with a colour by a scissored clear (nothing when it
// is empty), with the scissor test the caller has enabled; leaves both rectangle and colour changed.
void clearPixelRect(const PixelRect& rect, float r, float g, float b);

// Draws the bar into the bound framebuffer. Leaves the clear colour and the scissor test as
// it found them (clear colour black, scissor off).
void drawHealthBar(const HealthBarLayout& layout);

}  // namespace zarnhold
