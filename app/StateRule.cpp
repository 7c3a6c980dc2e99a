#include "app/StateRule.h"

namespace zarnhold {

namespace {

bool pictureKeyDown(GameStateValue picture, FrameKeys keys) {
    switch (picture) {
        case INTRO:
        case GAME_OVER: return keys.space;
        case WON: return keys.enter;
        case PLAYING: break;
    }
    return false;
}

}  // namespace

FrameStep frameStep(GameStateValue state, bool played, float health, FrameKeys keys, PictureKeyLatch& latch) {
    FrameStep step;
    step.keepRunning = !keys.escape;
    if (played && health <= 0.0f) {
        state = GAME_OVER;
    }
    step.picture = state;
    const bool keyDown = pictureKeyDown(state, keys);
    if (state != latch.shown) {
        latch.shown = state;
        latch.keyUpSinceShown = state == INTRO || !keyDown;
    } else if (!keyDown) {
        latch.keyUpSinceShown = true;
    }
    step.buildRun = state != PLAYING && keyDown && latch.keyUpSinceShown;
    return step;
}

}  // namespace zarnhold
