#pragma once

// A uniform random number in 0..1 from the C library's generator, which the game never
// seeds: the flicker, the enemies' first leap and their arms' swing draw from it.
float unitRandom();
