#include "render/Flicker.h"

#include <cstdlib>

float flickerStep(float luminocity, float random01) {
    float value = static_cast<float>(luminocity + (random01 - 0.5) / 3.0);
    if (value <= 0.5f) {
        value = static_cast<float>(value + 0.1);
    }
    if (value >= 2.0f) {
        value = static_cast<float>(value - 0.1);
    }
    return value;
}

float flickerRandom() {
    // The C library's range differs between platforms (32767 on some, 2^31 - 1 here):
    // dividing by its own maximum keeps the step in 0..1 everywhere.
    return static_cast<float>(static_cast<float>(std::rand()) / static_cast<double>(RAND_MAX));
}
