#pragma once

#include <vector>

#include <glm/glm.hpp>

#include "game/SwordSweep.h"
#include "run/AppState.h"
#include "scene/CornerBuffers.h"
#include "scene/Object3D.h"

namespace zarnhold {

class CameraState;
struct Light;

// The player's sword. It lies spinning 0.5 above the world origin until the player's eye
// crosses z = -1.5 (render frame); from then on it is held in the lower right of the view,
// and the left button sweeps it sideways through 80 degrees, striking while it moves. Drawn
// unindexed with the simple lit program under every light of the run; casts no shadow.
class Sword : public AppState, public Object3D {
public:
    // Touches no GL. `player` outlives the sword.
    explicit Sword(CameraState* player);

    // Lying again; the picture, the vertex array with the three corner buffers (from the
    // triangles read in before) and the program. GL context current.
    void init() override;
    // Clears the player's striking flag, then spins the lying sword or holds and sweeps the
    // picked-up one. The frame that picks it up still spins it.
    void update(double elapsedMs) override;
    // The held sword follows the eye and the view as drawn this frame, swung between the
    // last two ticks' angles.
    void pose(double tickFraction) override;
    // Leaves the vertex array that was bound before bound again.
    void render(glm::mat4 view, glm::mat4 projection, std::vector<Light*> lights) override;

    CameraState* player = nullptr;
    bool pickedUp = false;
    // What this tick's sweep does, for the creatures.
    SwordStrike strike;
    // Degrees: 0 at rest, falling towards -80 (and a little beyond) during a sweep.
    float swingAngle = 0.0f;
    // The swing as drawn this frame, and as drawn the frame before (where the trail starts).
    float drawnAngle = 0.0f;
    float trailFromAngle = 0.0f;
    // The eye as last sent to the program.
    glm::vec3 playerPosition{0.0f};
    CornerArrays corners;

private:
    // In the lower right of the view from `eye`, turned by the sweep to `angle` while the
    // button is held.
    glm::mat4 heldMatrix(glm::vec3 eye, float angle) const;
    void drawTrail(const glm::mat4& view, const glm::mat4& projection, const std::vector<Light*>& lights);
    void draw(const glm::mat4& model, const glm::mat4& view, const glm::mat4& projection,
              const std::vector<Light*>& lights, float fade);
    // The swing the tick before the last left.
    float previousSwingAngle = 0.0f;
};

}  // namespace zarnhold
