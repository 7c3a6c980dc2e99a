#pragma once

#include <string>
#include <vector>

#include <glm/glm.hpp>

namespace zarnhold {

struct Light;

// "array[slot]field", as the shaders name an element of a uniform array: ("lights", 2,
// ".color") gives "lights[2].color", ("shadows", 0, "") gives "shadows[0]".
std::string arrayUniformName(const char* array, int slot, const char* field);

// Writes a light's "lights[slot].color", ".position", ".luminocity", ".cAtt", ".lAtt" and
// ".eAtt" into `program`, which must be current.
void sendLight(unsigned int program, int slot, const Light& light);

// Writes "lights[k].color", ".position", ".luminocity", ".cAtt", ".lAtt" and ".eAtt" of the
// first lights of `lights`, at most `capacity` (the shader's array size), into `program`,
// which must be current, and "lightCount" as the number written: the shader reads exactly
// the entries written. Returns that number.
int sendLightArray(unsigned int program, const std::vector<Light*>& lights, int capacity);

// What the simple lit programs (the sword's, the goal crystal's) read besides their
// pictures: the light array as above, "M", "V", "P", "ambient" and "playerPosition".
void sendSimpleLitUniforms(unsigned int program, const std::vector<Light*>& lights, int capacity,
                           const glm::mat4& model, const glm::mat4& view, const glm::mat4& projection,
                           float ambient, const glm::vec3& playerPosition);

}  // namespace zarnhold
