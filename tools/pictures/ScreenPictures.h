#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "tools/pictures/Image.h"

namespace zarnhold_assets {

// The four full-window pictures: intro, loading, game over and won. Each is designed in
// the 1600 x 900 frame of the window it is stretched onto, then resampled to the
// 2048 x 1024 texture, so that text keeps its shape on screen.

// What makes one picture different from the others.
struct ScreenStyle {
    std::string line;                // the one line the player needs
    std::vector<std::string> notes;  // smaller lines above it: what the game is about
    glm::vec3 skyTop{0.0f};          // background gradient, top and bottom
    glm::vec3 skyBottom{0.0f};
    glm::vec3 glow{0.0f};      // the crystal's light
    glm::vec3 titleTop{1.0f};  // title fill, top to bottom of the letters
    glm::vec3 titleBottom{1.0f};
    glm::vec3 lineColour{1.0f};
    glm::vec3 crystalLight{1.0f};  // brightest and darkest facet of the crystal emblem
    glm::vec3 crystalDark{0.0f};
    bool rays = false;         // shafts of light around the crystal (won)
    bool cracked = false;      // a shattered crystal (game over)
    bool progressBar = false;  // a loading bar under the line
    std::uint64_t seed = 1;
};

// The styles of the four pictures, by the game's names for them.
ScreenStyle introStyle();
ScreenStyle loadingStyle();
ScreenStyle gameOverStyle();
// The game-over picture when the game knows what ended the run.
ScreenStyle slainStyle();
ScreenStyle fellStyle();
ScreenStyle wonStyle();

// Paints one picture in the 1600 x 900 design frame. Text needs the DejaVu fonts in
// `fontDir`; without them the picture is painted without text.
Image paintScreen(const ScreenStyle& style, const std::string& fontDir);

// The goal and the controls, as the intro and the help panel give them.
std::vector<std::string> controlLines();

// The help panel shown over a run: the control lines on dark stone, designed in the
// 960 x 540 frame it fills at the middle of a 1600 x 900 window.
Image paintHelpPanel(const std::string& fontDir);
// The panel over a paused run: how to go on.
Image paintPausedPanel(const std::string& fontDir);

// The options panel's picture: the settings' names, one a row where the game draws each
// value's bar, and the keys that change them, in the same 960 x 540 frame as the help.
Image paintOptionsPanel(const std::string& fontDir);

// Writes Intro.bmp, Loading.bmp, GameOver.bmp, GameOverSlain.bmp, GameOverFell.bmp and
// GameWin.bmp (2048 x 1024), and Help.bmp, Options.bmp and Paused.bmp (1024 x 512), into `modelsDir`; false
// when a file cannot be written.
bool writeScreenPictures(const std::string& modelsDir, const std::string& fontDir);

}  // namespace zarnhold_assets
