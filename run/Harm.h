#pragma once

namespace zarnhold {

// What took the player's health, as far as the game knows: the game-over picture and the
// line printed at the end of a run name it.
enum class Harm {
    unknown,
    creature,  // an enemy's touch
    fall,      // moving up or down faster than the body survives
};

// The line the game prints when a run ends by `cause`.
const char* runEndLine(Harm cause);

}  // namespace zarnhold
