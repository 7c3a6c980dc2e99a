#pragma once

// The physics advances at most three steps of 10 ms a frame; a longer frame loses the rest.
constexpr double longestWorldStepMs = 30.0;

// The milliseconds the world advances in a frame that came `elapsedMs` after the last: the
// elapsed time, capped at what one physics step covers. Every update is given this, so
// below 33 frames a second the whole world (bodies, damage, timers, the sword, the flight)
// slows evenly instead of the bodies alone. Never negative.
double worldAdvanceMs(double elapsedMs);
