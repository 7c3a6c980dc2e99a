#pragma once

// One frame of a light crystal's flicker: a random step of at most 1/6 either way, kept
// drifting between about 0.5 and 2.0. `random01` lies in 0..1.
float flickerStep(float luminocity, float random01);
