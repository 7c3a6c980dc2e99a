#include "run/GameState.h"

namespace zarnhold {

int GameState = INTRO;

}  // namespace zarnhold
