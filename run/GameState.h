#pragma once

namespace zarnhold {

// What the window shows. One process-wide value: the main loop, the Game's constructor and
// setWon are its only writers.
enum GameStateValue { INTRO = 0, PLAYING = 1, GAME_OVER = 2, WON = 3 };

extern int GameState;

}  // namespace zarnhold
