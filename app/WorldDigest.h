#pragma once

#include <cstdint>
#include <vector>

namespace zarnhold {

class Game;

// The state of a run's world as bytes: the player's body (place, turn, velocities), its
// health and angles, every enemy's body, health, timers, facing and arms, the sword, the
// goal crystal, every light's luminosity and the random generator. Two runs given the same
// seed and ticks have the same bytes after every tick, whatever their frame rates.
std::vector<unsigned char> worldState(const Game& game);

// A 64-bit FNV-1a hash of worldState, printed at the end of a replay.
std::uint64_t worldChecksum(const Game& game);

}  // namespace zarnhold
