#include "app/ResolutionScale.h"

#include <algorithm>
#include <cmath>

namespace zarnhold {

ResolutionScale::ResolutionScale(ResolutionScaleSettings settings) : config(settings) {}

float ResolutionScale::scale() const {
    return config.ceiling - static_cast<float>(stepsDown) * config.step;
}

double ResolutionScale::smoothedMs() const {
    if (recentMs.empty()) return 0.0;
    std::vector<double> sorted = recentMs;
    std::sort(sorted.begin(), sorted.end());
    const std::size_t middle = sorted.size() / 2;
    return sorted.size() % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2.0;
}

float ResolutionScale::frameTook(double frameMs) {
    ++framesSinceChange;
    if (framesSinceChange == 1) return scale();
    recentMs.push_back(frameMs);
    if (recentMs.size() > static_cast<std::size_t>(config.framesBetweenChanges))
        recentMs.erase(recentMs.begin());
    if (framesSinceChange <= config.framesBetweenChanges) return scale();
    const int next = chooseStepsDown();
    if (next != stepsDown) {
        stepsDown = next;
        recentMs.clear();
        framesSinceChange = 0;
    }
    return scale();
}

int ResolutionScale::chooseStepsDown() const {
    const double budgetMs = 1000.0 / config.targetFps;
    const double smoothed = smoothedMs();
    if (smoothed > budgetMs) {
        // The pixels' cost goes with the square of the scale and the rest of the frame does
        // not shrink at all, so this guess never lowers too far.
        const double wanted = scale() * std::sqrt(budgetMs / smoothed);
        const int steps = static_cast<int>(std::ceil((config.ceiling - wanted) / config.step - 1e-4));
        return std::min(mostStepsDown(), std::max(steps, stepsDown + 1));
    }
    if (smoothed < budgetMs * config.raiseBelowShare) return std::max(0, stepsDown - 1);
    return stepsDown;
}

int ResolutionScale::mostStepsDown() const {
    return static_cast<int>(std::lround((config.ceiling - config.floor) / config.step));
}

}  // namespace zarnhold
