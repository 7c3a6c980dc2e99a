#include "render/LightArrayUniforms.h"

#include <algorithm>
#include <string>

#include <GL/glew.h>
#include <glm/gtc/type_ptr.hpp>

#include "render/Light.h"
#include "scene/ShaderLoader.h"

namespace zarnhold {

std::string arrayUniformName(const char* array, int slot, const char* field) {
    return std::string(array) + "[" + std::to_string(slot) + "]" + field;
}

void sendLight(unsigned int program, int slot, const Light& light) {
    glUniform3fv(uniform(program, arrayUniformName("lights", slot, ".color")), 1,
                 glm::value_ptr(light.color));
    glUniform3fv(uniform(program, arrayUniformName("lights", slot, ".position")), 1,
                 glm::value_ptr(light.position));
    glUniform1f(uniform(program, arrayUniformName("lights", slot, ".luminocity")), light.luminocity);
    glUniform1f(uniform(program, arrayUniformName("lights", slot, ".cAtt")), light.cAtt);
    glUniform1f(uniform(program, arrayUniformName("lights", slot, ".lAtt")), light.lAtt);
    glUniform1f(uniform(program, arrayUniformName("lights", slot, ".eAtt")), light.eAtt);
}

int sendLightArray(unsigned int program, const std::vector<Light*>& lights, int capacity) {
    const int count = std::min(static_cast<int>(lights.size()), capacity);
    glUniform1i(uniform(program, "lightCount"), count);
    for (int k = 0; k < count; ++k) {
        sendLight(program, k, *lights[static_cast<std::size_t>(k)]);
    }
    return count;
}

void sendSimpleLitUniforms(unsigned int program, const std::vector<Light*>& lights, int capacity,
                           const glm::mat4& model, const glm::mat4& view, const glm::mat4& projection,
                           float ambient, const glm::vec3& playerPosition) {
    sendLightArray(program, lights, capacity);
    glUniformMatrix4fv(uniform(program, "M"), 1, GL_FALSE, glm::value_ptr(model));
    glUniformMatrix4fv(uniform(program, "V"), 1, GL_FALSE, glm::value_ptr(view));
    glUniformMatrix4fv(uniform(program, "P"), 1, GL_FALSE, glm::value_ptr(projection));
    glUniform1f(uniform(program, "ambient"), ambient);
    glUniform3fv(uniform(program, "playerPosition"), 1, glm::value_ptr(playerPosition));
}

}  // namespace zarnhold
