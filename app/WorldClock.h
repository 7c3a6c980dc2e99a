#pragma once

namespace zarnhold {

// The world advances in ticks of 10 ms of game time, the physics' own step: each tick reads
// its input, steps the physics once and updates everything by 10 ms.
constexpr double tickMs = 10.0;
// A frame advances the world by at most three ticks; a longer frame loses the rest.
constexpr double longestWorldStepMs = 30.0;

// The milliseconds the world advances in a frame that came `elapsedMs` after the last: the
// elapsed time, capped at what one physics step covers. Every update is given this, so
// below 33 frames a second the whole world (bodies, damage, timers, the sword, the flight)
// slows evenly instead of the bodies alone. Never negative.
double worldAdvanceMs(double elapsedMs);

}  // namespace zarnhold
