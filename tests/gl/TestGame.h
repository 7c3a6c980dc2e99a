#pragma once

#include "app/Game.h"
#include "tests/ScriptedInput.h"
#include "tests/gl/GlContext.h"

namespace zarnhold {

// Gives `game` the tests' hidden window, a scripted input with the cursor at the centre,
// the game's fixed draw state and its pictures, as the game's start does for its own.
inline void attachTestWindow(Game& game, ScriptedInput& input) {
    game.window = testWindow();
    game.width = testWidth;
    game.height = testHeight;
    game.input = &input;
    input.placeCursor(testWidth / 2, testHeight / 2);
    useGameDrawState();
    game.initPictures();
}

}  // namespace zarnhold
