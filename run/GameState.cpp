#include "run/GameState.h"

int GameState = INTRO;
