#pragma once

#include <vector>

#include <glm/glm.hpp>

struct Light;

// Every updatable, drawable scene element. The main loop calls update and render once per
// frame, in scene-list order; init once per run, cleanup before the element is freed.
class AppState {
public:
    virtual ~AppState() = default;

    // Loads files and creates GL and physics resources; once per run, GL context current.
    virtual void init() = 0;
    // Advances by `elapsedMs` milliseconds of wall time since the previous frame.
    virtual void update(double elapsedMs) { (void)elapsedMs; }
    // Draws with the camera's matrices (render frame) and the run's lights.
    virtual void render(glm::mat4 view, glm::mat4 projection, std::vector<Light*> lights) = 0;
    virtual void cleanup() {}
};
