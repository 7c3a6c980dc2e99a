#pragma once

namespace zarnhold {

// Where the options panel's parts lie in the 960 x 540 frame its picture is designed in
// (y down from the top), shared by the picture's painter and the game, which draws each
// setting's current value over its row.
namespace optionsPanelDesign {

constexpr int width = 960;
constexpr int height = 540;
constexpr int rowCount = 6;
// Each row's top and height; its name is written at its left, its value drawn at its right.
constexpr int firstRowTop = 130;
constexpr int rowStep = 58;
constexpr int rowHeight = 40;
constexpr int nameLeft = 90;
// The chosen row's mark, left of its name.
constexpr int markLeft = 48;
constexpr int markSize = 18;
// A value's bar (a switch's box is the bar's first fifth).
constexpr int barLeft = 560;
constexpr int barWidth = 340;
constexpr int barHeight = 22;
constexpr int footerCentre = 500;

// The rows' names, top to bottom, in the order OptionsPanel numbers them.
constexpr const char* rowNames[rowCount] = {
    "Mouse sensitivity",
    "Invert look",
    "Field of view",
    "Volume",
    "Vsync",
    "Pause when the window loses focus",
};

constexpr int rowTop(int row) {
    return firstRowTop + row * rowStep;
}

}  // namespace optionsPanelDesign

}  // namespace zarnhold
