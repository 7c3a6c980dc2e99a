#pragma once

#include <string>

#include "app/HealthBarLayout.h"
#include "run/AppState.h"
#include "scene/CornerBuffers.h"
#include "scene/Object3D.h"

namespace zarnhold {

// One full-window picture (intro, loading, game over, won): a textured box seen by a
// fixed camera 3.3 units in front of it, whatever the player's camera does.
class Screen : public AppState, public Object3D {
public:
    // Touches no file and no GL (the window does not exist yet).
    explicit Screen(const std::string& imagePath);

    // Reads the box model and the picture; buffers, program and texture. GL context current.
    void init() override;
    // Ignores all three arguments.
    void render(glm::mat4 view, glm::mat4 projection, std::vector<Light*> lights) override;

    // Renders into `panel` of a `width` x `height` window, over what is drawn there (its
    // depths cleared), and gives the whole window back to the draws after it.
    void renderIn(const PixelRect& panel, int width, int height);

    // How many corners render draws: twelve triangles, or fewer if the model has fewer.
    int drawCount() const;

    std::string imagePath;
    unsigned int screenProgram = 0;
    int screenSamplerLocation = -1;
    unsigned int screenTexture = 0;
    int screenMvpLocation = -1;
    // The box's corners, positions and texture coordinates.
    CornerArrays corners;
};

}  // namespace zarnhold
