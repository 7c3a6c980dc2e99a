#include "render/HeldDraw.h"

#include <GL/glew.h>
#include <glm/gtc/type_ptr.hpp>

#include "render/LightArrayUniforms.h"
#include "scene/ShaderLoader.h"

namespace zarnhold {

namespace {

// The program in use with its one texture on unit 0; returns the sampler's location.
int useLook(const HeldLook& look) {
    glUseProgram(look.program);
    const int sampler = uniform(look.program, "myTextureSampler");
    glUniform1i(sampler, 0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, look.texture);
    return sampler;
}

}  // namespace

void drawHeldByLamp(const HeldLook& look, const glm::mat4& model, const glm::mat4& view,
                    const glm::mat4& projection, const glm::vec3& lampPosition) {
    const unsigned int previousArray = bindCornerArrays(*look.corners);
    useLook(look);
    // The sword's draw leaves its lights, ambient and fade in the shared program: what is
    // lit by a lamp is lit by it alone.
    glUniform1i(uniform(look.program, "lightCount"), 0);
    glUniform1f(uniform(look.program, "ambient"), 0.0f);
    glUniform1f(uniform(look.program, "fade"), 0.0f);
    glUniform3f(uniform(look.program, "playerPosition"), 0.0f, 0.0f, 0.0f);
    glUniform3fv(uniform(look.program, "LampPos"), 1, glm::value_ptr(lampPosition));
    glUniformMatrix4fv(uniform(look.program, "M"), 1, GL_FALSE, glm::value_ptr(model));
    glUniformMatrix4fv(uniform(look.program, "V"), 1, GL_FALSE, glm::value_ptr(view));
    glUniformMatrix4fv(uniform(look.program, "P"), 1, GL_FALSE, glm::value_ptr(projection));
    drawCornerArrays(*look.corners, previousArray);
}

int drawHeldLit(const HeldLook& look, const glm::mat4& model, const glm::mat4& view,
                const glm::mat4& projection, const std::vector<Light*>& lights, int capacity, float ambient,
                const glm::vec3& eye, float fade) {
    const unsigned int previousArray = bindCornerArrays(*look.corners);
    const int sampler = useLook(look);
    glUniform1f(uniform(look.program, "fade"), fade);
    // The shield's draw leaves its lamp in the shared program; these draws have none.
    glUniform3f(uniform(look.program, "LampPos"), 0.0f, 0.0f, 0.0f);
    sendSimpleLitUniforms(look.program, lights, capacity, model, view, projection, ambient, eye);
    drawCornerArrays(*look.corners, previousArray);
    return sampler;
}

void beginHeldGhosts() {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
}

void endHeldGhosts() {
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}

}  // namespace zarnhold
