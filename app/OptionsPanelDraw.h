#pragma once

#include <vector>

#include "app/HealthBar.h"
#include "app/SettingsFile.h"

namespace zarnhold {

// The options panel's values over its picture: for each row a dark bar filled to where its
// setting stands (a switch's box lit when on), and a mark at the chosen row. Drawn by
// scissored clears, like the health bar, since the game writes no text at run time.

struct OptionsPanelLayout {
    // Per row, top to bottom: the dark bar and its lit part (width 0 at the lowest or off).
    std::vector<PixelRect> bars;
    std::vector<PixelRect> fills;
    PixelRect mark;
};

// Where the values lie when the panel's picture fills `panel` (window pixels, GL's lower
// left origin), with `settings` and `chosenRow` chosen.
OptionsPanelLayout layoutOptionsPanel(const PixelRect& panel, const Settings& settings, int chosenRow);

// Draws them into the bound framebuffer. Leaves the clear colour black and the scissor
// test off, as it finds them.
void drawOptionsPanel(const OptionsPanelLayout& layout);

}  // namespace zarnhold
