#pragma once

#include <vector>

#include <glm/glm.hpp>

#include "render/ShadowFaces.h"

namespace zarnhold {

// The farthest depth within each 32 x 32 tile of the six faces of a depth cube: enough to
// tell, without reading the cube again, that something nearer than all of a rectangle's
// depths cannot lie there, or that something farther cannot show through.
class CubeDepthTiles {
public:
    static constexpr int tileSize = 32;

    // Takes face `face` (0..5) of `size` x `size` depths, rows from the bottom; `size` a
    // multiple of tileSize, the same for every face.
    void setFace(int face, const std::vector<float>& depths, int size);
    // Whether all six faces have been set.
    bool ready() const;
    // The farthest depth of the tiles that `rect` of face `face` touches; 1 (the far
    // plane) before the face is set.
    float farthestIn(int face, const FaceRect& rect) const;

private:
    int tilesAcross = 0;
    std::vector<float> farthest[6];
};

// Whether a light at `lightPosition` may reach some point of the box from `low` to `high`
// (render frame) past the fixed casters whose depths `fixed` holds (faces of `size`
// texels): false only when, on every face the box could show on, the farthest fixed depth
// there lies below litDepthFloor of the box's nearest point, so the lit surface finds the
// whole box in shadow. A box at or around the light may always be reached.
bool mayLightPast(const CubeDepthTiles& fixed, glm::vec3 lightPosition, glm::vec3 low, glm::vec3 high,
                  int size);

}  // namespace zarnhold
