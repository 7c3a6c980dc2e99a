#pragma once

#include <glm/glm.hpp>

namespace zarnhold {

// Degrees in a radian, for the few places that state an angle in degrees.
constexpr float degreesPerRadian = 57.2957795f;

// The game's own right-handed rotations; angles in radians, as GLM's rotate takes them. A
// positive angle turns counter-clockwise seen from the positive axis towards the origin.
glm::mat4 rotateX(float radians);
glm::mat4 rotateY(float radians);
glm::mat4 rotateZ(float radians);

}  // namespace zarnhold
