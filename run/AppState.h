#pragma once

#include <vector>

#include <glm/glm.hpp>

namespace zarnhold {

struct Light;

// Every updatable, drawable scene element. The main loop calls update once per tick of the
// world and pose and render once per frame, in scene-list order; init once per run,
// cleanup before the element is freed.
class AppState {
public:
    virtual ~AppState() = default;

    // Loads files and creates GL and physics resources; once per run, GL context current.
    virtual void init() = 0;
    // Advances by `elapsedMs` milliseconds of game time: one tick of the world (10 ms in the
    // game, whatever the frame rate).
    virtual void update(double elapsedMs) { (void)elapsedMs; }
    // Every frame, after the ticks: places what is drawn between the world's last two ticks,
    // `tickFraction` (0 to 1) of the way from the one before the last to the last, so that
    // motion is smooth at frame rates above the ticks'. Changes nothing the world reads.
    virtual void pose(double tickFraction) { (void)tickFraction; }
    // Draws with the camera's matrices (render frame) and the run's lights.
    virtual void render(glm::mat4 view, glm::mat4 projection, std::vector<Light*> lights) = 0;
    virtual void cleanup() {}
};

}  // namespace zarnhold
