#include "scene/Rotation.h"

#include <cmath>

namespace zarnhold {

glm::mat4 rotateX(float radians) {
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    return glm::mat4(1, 0, 0, 0, 0, c, s, 0, 0, -s, c, 0, 0, 0, 0, 1);
}

glm::mat4 rotateY(float radians) {
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    return glm::mat4(c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1);
}

glm::mat4 rotateZ(float radians) {
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    return glm::mat4(c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
}

}  // namespace zarnhold
