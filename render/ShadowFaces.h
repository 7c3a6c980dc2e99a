#pragma once

#include <glm/glm.hpp>

namespace zarnhold {

// The cube faces (bit f for face f, in GL's order +X, -X, +Y, -Y, +Z, -Z) whose view volume
// a sphere may touch: the pyramid from the light along the face's axis, between the near
// plane at 0.1 and the far plane at 100. A face left out receives nothing of what lies in
// the sphere. Conservative: a sphere near a pyramid's edge may count without touching it.
// A sphere with a non-finite centre or radius touches every face.
unsigned int shadowFacesTouched(glm::vec3 lightPosition, glm::vec3 centre, float radius);

constexpr unsigned int allShadowFaces = 0x3Fu;

// A rectangle of texels of one cube face, [x0, x1) x [y0, y1); empty when x0 >= x1 or
// y0 >= y1.
struct FaceRect {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;

    bool empty() const { return x0 >= x1 || y0 >= y1; }
    // The smallest rectangle holding both.
    FaceRect unite(const FaceRect& other) const;
    bool operator==(const FaceRect& other) const;
};

// The whole face of `size` x `size` texels.
FaceRect wholeFace(int size);

// The texels of a `size` x `size` face drawn through `faceMatrix` (projection x look-at)
// that the box from `low` to `high` may cover, with a margin: the bounds of its corners
// once projected. Empty when one clip plane of the face has every corner outside; the
// whole face when a corner lies at or behind the near plane, or anything is not finite.
FaceRect shadowFaceRectOfBox(const glm::mat4& faceMatrix, glm::vec3 low, glm::vec3 high, int size);
// The same for the box around a sphere.
FaceRect shadowFaceRect(const glm::mat4& faceMatrix, glm::vec3 centre, float radius, int size);

// The cube faces' shared projection: 90 degrees, aspect 1, near 0.1, far 100.
glm::mat4 shadowFaceProjection();
// projection x look-at of cube face `face` (0..5: +X, -X, +Y, -Y, +Z, -Z) at `position`.
glm::mat4 shadowFaceMatrix(glm::vec3 position, int face);

// The lowest stored cube depth at which the lit surface can still see a light `distance`
// away from the nearest point of what it draws: the lit shader compares (d - bias) / 100
// with its bias at most 0.015 + d * (2 / 1024) * 5.75. Where every texel that could show a
// box holds less than this, the box is wholly in the light's shadow.
float litDepthFloor(float distance);

}  // namespace zarnhold
