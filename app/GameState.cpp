#include "app/GameState.h"

int GameState = INTRO;
