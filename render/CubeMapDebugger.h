#pragma once

#include <string>

#include "run/AppState.h"
#include "scene/CornerBuffers.h"
#include "scene/Object3D.h"

namespace zarnhold {

// A diagnostic view of the second light's depth cube map, drawn on the box model with the
// player's turn. Made at start; F3 shows it over the upper right of the playing view.
class CubeMapDebugger : public AppState, public Object3D {
public:
    CubeMapDebugger();

    void init() override;
    // Needs at least two lights; with fewer it draws nothing.
    void render(glm::mat4 view, glm::mat4 projection, std::vector<Light*> lights) override;
    // Renders over the upper right quarter of a `width` x `height` window, turned only as the
    // view is (the eye sits inside the box), then gives the whole window back.
    void renderInCorner(const glm::mat4& view, const glm::mat4& projection, const std::vector<Light*>& lights,
                        int width, int height);

    std::string name;
    unsigned int viewerProgram = 0;
    int cubemapLocation = -1;
    int perspectiveLocation = -1;
    int viewLocation = -1;
    // The box's corners; the viewer's shader reads their positions.
    CornerArrays corners;
};

}  // namespace zarnhold
