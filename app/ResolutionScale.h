#pragma once

#include <vector>

namespace zarnhold {

// How the automatic scale behaves; the defaults are the game's.
struct ResolutionScaleSettings {
    // Frames a second to hold: the budget of a frame is 1000 / targetFps ms.
    double targetFps = 30.0;
    // The least and the most of the window's size, each way, that the scene is drawn at.
    // Below half size the picture gets coarse fast, but a frame still gains about a fifth
    // from 0.5 to 0.35 on a software renderer: for a crowded room, smooth play is worth
    // more than a blurred one.
    float floor = 0.35f;
    float ceiling = 1.0f;
    // Scales are whole steps down from the ceiling.
    float step = 0.05f;
    // Raises only when the smoothed frame takes less than this share of the budget: one
    // step up costs up to 21% more pixels at the floor, so it will not overrun at once.
    double raiseBelowShare = 0.8;
    // Frames seen after a change before the next one may come, and how many of the last
    // frames the decision looks at: their median, so one hitch changes nothing. The first
    // frame after a change (which also remakes the target) is not counted.
    int framesBetweenChanges = 8;
};

// The automatic resolution scale: told each frame's time, it holds the frame rate at the
// target by drawing the scene at a smaller or larger share of the window. Looks at the median of
// the last frames; lowers at once
// to the step that the pixels' share of the overrun predicts, raises one step at a time
// when there is clear headroom, and waits some frames between changes so it does not hunt.
class ResolutionScale {
public:
    explicit ResolutionScale(ResolutionScaleSettings settings = {});

    // Records a frame of `frameMs` and returns the scale for the next one.
    float frameTook(double frameMs);
    float scale() const;
    // The median of the last frames counted since the last change (0 before the first).
    double smoothedMs() const;
    const ResolutionScaleSettings& settings() const { return config; }

private:
    // Whole steps below the ceiling, so that going down and back up returns exactly.
    int chooseStepsDown() const;
    int mostStepsDown() const;

    ResolutionScaleSettings config;
    int stepsDown = 0;
    // The last framesBetweenChanges counted frames, oldest first.
    std::vector<double> recentMs;
    int framesSinceChange = 0;
};

}  // namespace zarnhold
