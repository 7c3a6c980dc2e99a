#pragma once

#include <vector>

#include <glm/glm.hpp>

#include "run/AppState.h"
#include "scene/CornerBuffers.h"
#include "scene/Object3D.h"

namespace zarnhold {

class RunContext;
struct Light;

// The goal: a crystal spinning at 50 degrees a second in the goal room. Coming within one
// unit of it wins the run. Drawn with its own box program, each facet showing one of six
// face pictures, under every light of the run without shadows; it casts a shadow itself.
// Its indexed buffers (from uploadMesh) draw its shadow; its own corner buffers draw it.
class Crystal : public AppState, public Object3D {
public:
    // Touches no GL. Reads the player's eye through `game`, which outlives the crystal.
    explicit Crystal(RunContext* game);

    // The six face pictures, the corner buffers and the box program. GL context current.
    void init() override;
    // The win test, then the spin.
    void update(double elapsedMs) override;
    // Nothing when the player is farther than 20. Leaves the vertex array that was bound
    // before bound again.
    void render(glm::mat4 view, glm::mat4 projection, std::vector<Light*> lights) override;

    glm::vec3 spare{0.0f};
    // Render frame, from the level's table of places.
    glm::vec3 crystalPosition{0.0f};
    int faceSamplerLocations[6] = {-1, -1, -1, -1, -1, -1};
    unsigned int faceTextures[6] = {0, 0, 0, 0, 0, 0};
    RunContext* game = nullptr;
    // Degrees about the vertical axis.
    float spinAngle = 0.0f;
    glm::vec3 lastPlayerPosition{0.0f};
    // One entry per triangle corner, for the box program.
    CornerArrays corners;

private:
    // The player's eye, render frame; the origin before the run has a player.
    glm::vec3 eye() const;
};

// The player wins closer than 1 to the crystal.
bool crystalTouched(float distance);
// The crystal is drawn up to 20 away, 20 itself included.
bool crystalInSight(float distance);
// Degrees the crystal turns in `elapsedMs`.
float crystalSpin(double elapsedMs);

}  // namespace zarnhold
