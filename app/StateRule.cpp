#include "app/StateRule.h"

FrameStep frameStep(GameStateValue state, bool played, float health, FrameKeys keys) {
    FrameStep step;
    step.keepRunning = !keys.escape;
    if (played && health <= 0.0f) {
        state = GAME_OVER;
    }
    step.picture = state;
    switch (state) {
    case INTRO:
    case GAME_OVER: step.buildRun = keys.space; break;
    case WON: step.buildRun = keys.enter; break;
    case PLAYING: break;
    }
    return step;
}
