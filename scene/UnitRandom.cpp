#include "scene/UnitRandom.h"

#include <cstdlib>

float unitRandom() {
    // The C library's range differs between platforms (32767 on some, 2^31 - 1 here):
    // dividing by its own maximum keeps the number in 0..1 everywhere.
    return static_cast<float>(std::rand()) / static_cast<float>(RAND_MAX);
}
