#pragma once

#include "run/GameState.h"

namespace zarnhold {

// The keys the state machine reads, as they stood in one frame.
struct FrameKeys {
    bool escape = false;
    bool space = false;
    bool enter = false;
};

// What the rest of a frame does once the playing part (if any) has run.
struct FrameStep {
    // The picture drawn this frame (INTRO, GAME_OVER or WON), or PLAYING for none.
    GameStateValue picture = PLAYING;
    // The picture's key was down: show the loading picture, build a run, play next frame.
    bool buildRun = false;
    // False once Escape was down: the loop ends after this frame.
    bool keepRunning = true;
};

// Carried from frame to frame: the picture on show and whether its key has been up since
// it first showed, so that a key held from the run that just ended does not leave it.
struct PictureKeyLatch {
    GameStateValue shown = PLAYING;
    bool keyUpSinceShown = true;
};

// The main loop's transitions. `state` is the game state after the frame's updates (an
// update may have called setWon); `played` says whether the frame ran the playing part,
// and only then does a `health` of 0 or below end the run, even over a win. The intro and
// game-over pictures start a run on Space, the won picture on Enter. The game-over and won
// pictures need a fresh press: one that comes after the key was seen up with the picture
// on show. The intro takes its key as it finds it.
FrameStep frameStep(GameStateValue state, bool played, float health, FrameKeys keys, PictureKeyLatch& latch);

}  // namespace zarnhold
