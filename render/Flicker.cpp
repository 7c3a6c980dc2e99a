#include "render/Flicker.h"

namespace zarnhold {

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

int flickerStepsInTick(long tickIndex) {
    // 10 ms ticks against 1/60 s steps: 0.6 of a step a tick, counted in whole steps.
    return static_cast<int>((tickIndex + 1) * 3 / 5 - tickIndex * 3 / 5);
}

}  // namespace zarnhold
