#pragma once

#include <string>

#include "app/AppState.h"
#include "scene/Object3D.h"

// A diagnostic view of the second light's depth cube map, drawn on the box model with the
// player's camera. Loaded at start; the main loop does not show it.
class CubeMapDebugger : public AppState, public Object3D {
public:
    CubeMapDebugger();

    void init() override;
    // Needs at least two lights; with fewer it draws nothing.
    void render(glm::mat4 view, glm::mat4 projection, std::vector<Light*> lights) override;

    std::string name;
    unsigned int viewerPositionBuffer = 0;
    unsigned int viewerProgram = 0;
    int cubemapLocation = -1;
    unsigned int vertexArray = 0;
    int perspectiveLocation = -1;
    int viewLocation = -1;

private:
    int uploadedCorners = 0;
};
