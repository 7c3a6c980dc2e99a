#pragma once

#include <glm/glm.hpp>

// The game's own right-handed rotations; angles in radians (GLM's rotate takes degrees
// at our call sites, these do not). A positive angle turns counter-clockwise seen from
// the positive axis towards the origin.
glm::mat4 rotateX(float radians);
glm::mat4 rotateY(float radians);
glm::mat4 rotateZ(float radians);
