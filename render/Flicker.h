#pragma once

namespace zarnhold {

// The flicker steps 60 times a second of game time (as it did once a frame at 60 frames a
// second), whatever the frame rate: the steps the world's tick `tickIndex` (counted from 0
// at the run's start, 10 ms each) takes, 0 or 1, three in every five ticks.
int flickerStepsInTick(long tickIndex);

// One step of a light crystal's flicker: a random step of at most 1/6 either way, kept
// drifting between about 0.5 and 2.0. `random01` lies in 0..1.
float flickerStep(float luminocity, float random01);

}  // namespace zarnhold
