#include "render/LitDraw.h"

#include <cmath>
#include <string>

#include <GL/glew.h>
#include <glm/gtc/type_ptr.hpp>

#include "render/Light.h"
#include "render/LightArrayUniforms.h"
#include "render/LitRules.h"
#include "render/RenderWorld.h"
#include "run/RunContext.h"
#include "scene/Object3D.h"
#include "scene/ShaderLoader.h"

namespace zarnhold {

namespace {

// The lit shader's arrays hold ten lights.
constexpr int maxShadowSlots = 10;

void uploadLight(GLuint program, const Light& light, const LitLightSlot& chosen) {
    const int k = chosen.slot;
    sendLight(program, k, light);
    glUniform2f(uniform(program, arrayUniformName("lights", k, ".near_far")), 5.0f, 100.0f);
    glActiveTexture(GL_TEXTURE0 + chosen.textureUnit);
    const GLint sampler = uniform(program, arrayUniformName("shadows", k, ""));
    glBindTexture(GL_TEXTURE_CUBE_MAP, light.shadowCubeMap);
    glUniform1i(sampler, chosen.textureUnit);
}

// GL refuses to draw while a cube sampler and a 2D sampler name the same texture unit,
// and an unset sampler names unit 0, the diffuse map's. The slots this draw leaves unused
// get cube-map units of their own; the shader never samples them.
void parkUnusedShadowSamplers(GLuint program, int usedSlots) {
    for (int k = usedSlots; k < maxShadowSlots; ++k) {
        glUniform1i(uniform(program, arrayUniformName("shadows", k, "")), firstShadowUnit + k);
    }
}

void pointAttribute(GLuint index, GLint components, GLuint buffer) {
    glEnableVertexAttribArray(index);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glVertexAttribPointer(index, components, GL_FLOAT, GL_FALSE, 0, nullptr);
}

// Keeps a run's triangles to the part of the screen they can show on: a software
// renderer then shades none of what lies outside it.
void scissorTo(const IndexRange& range, const GLint (&viewport)[4]) {
    if (glm::all(glm::lessThanEqual(range.screenLow, glm::vec2(-1.0f))) &&
        glm::all(glm::greaterThanEqual(range.screenHigh, glm::vec2(1.0f)))) {
        glDisable(GL_SCISSOR_TEST);
        return;
    }
    const glm::vec2 origin(viewport[0], viewport[1]);
    const glm::vec2 size(viewport[2], viewport[3]);
    const glm::vec2 low =
        glm::floor(origin + (glm::clamp(range.screenLow, -1.0f, 1.0f) + 1.0f) * 0.5f * size);
    const glm::vec2 high =
        glm::ceil(origin + (glm::clamp(range.screenHigh, -1.0f, 1.0f) + 1.0f) * 0.5f * size);
    glEnable(GL_SCISSOR_TEST);
    glScissor(static_cast<GLint>(low.x), static_cast<GLint>(low.y), static_cast<GLsizei>(high.x - low.x),
              static_cast<GLsizei>(high.y - low.y));
}

// Puts `chosen` into the program's light slots, parks the others, and sets the count.
void useLights(GLuint program, const std::vector<Light*>& lights, const std::vector<LitLightSlot>& chosen) {
    for (const LitLightSlot& slot : chosen) {
        uploadLight(program, *lights[slot.listIndex], slot);
    }
    parkUnusedShadowSamplers(program, static_cast<int>(chosen.size()));
    glUniform1i(uniform(program, "lightCount"), static_cast<GLint>(chosen.size()));
}

// Of `near`, the lights that may reach some point of the box.
std::vector<LitLightSlot> lightsReaching(const RunContext& game, const std::vector<LitLightSlot>& near,
                                         const std::vector<Light*>& lights, glm::vec3 low, glm::vec3 high) {
    if (game.renderWorld == nullptr) return near;
    return lightsWhere(near, [&](int i) { return game.renderWorld->mayLight(*lights[i], low, high); });
}

}  // namespace

void drawLit(RunContext& game, Object3D& mesh, glm::mat4 view, glm::mat4 projection,
             std::vector<Light*> lights, const std::vector<IndexRange>* ranges, glm::vec4 tint) {
    glm::vec3 centre(0.0f);
    float radius = 0.0f;
    const bool bounded = mesh.worldBounds(centre, radius);
    if (game.skipUnseenMeshes && bounded && outsideView(projection * view, centre, radius)) {
        return;
    }
    const GLuint program = mesh.program;
    glUseProgram(program);
    mesh.textureSamplerLocation = 0;
    mesh.normalSamplerLocation = 0;
    mesh.textureSamplerLocation = uniform(program, "myTextureSampler");
    glUniform1i(mesh.textureSamplerLocation, 0);
    mesh.normalSamplerLocation = uniform(program, "myNormalSampler");
    glUniform1i(mesh.normalSamplerLocation, 1);
    const MeshData& data = mesh.meshData();
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, data.diffuseTexture);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, data.normalTexture);
    const GLint mv3x3Location = uniform(program, "MV3x3");

    const glm::vec3 player = game.playerPosition ? *game.playerPosition : glm::vec3(0.0f);
    const std::vector<LitLightSlot> near = selectLitLights(player, lights);

    pointAttribute(0, 3, data.positionBuffer);
    pointAttribute(1, 2, data.uvBuffer);
    pointAttribute(2, 3, data.normalBuffer);
    pointAttribute(3, 3, data.tangentBuffer);
    pointAttribute(4, 3, data.bitangentBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, data.elementBuffer);

    glUseProgram(program);
    glUniformMatrix4fv(uniform(program, "M"), 1, GL_FALSE, glm::value_ptr(mesh.modelMatrix));
    glUniformMatrix4fv(uniform(program, "V"), 1, GL_FALSE, glm::value_ptr(view));
    glUniformMatrix4fv(uniform(program, "P"), 1, GL_FALSE, glm::value_ptr(projection));
    const glm::mat3 mv3x3 = glm::mat3(view * mesh.modelMatrix);
    glUniformMatrix3fv(mv3x3Location, 1, GL_FALSE, glm::value_ptr(mv3x3));
    glUniform1f(uniform(program, "ambient"), 0.15f);
    glUniform1f(uniform(program, "percent_life"), static_cast<float>(game.getHealth() / 1000.0));
    glUniform4f(uniform(program, "tint"), tint.r, tint.g, tint.b, tint.a);

    // A light that cannot reach what is drawn would add exactly nothing to it: leaving it out
    // gives the same picture for less work.
    if (ranges == nullptr) {
        const bool skip = game.skipUnreachableLights && bounded;
        useLights(program, lights,
                  skip ? lightsReaching(game, near, lights, centre - radius, centre + radius) : near);
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(data.indices.size()), GL_UNSIGNED_SHORT, nullptr);
    } else {
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        std::vector<LitLightSlot> inUse;
        bool uploaded = false;
        for (const IndexRange& range : *ranges) {
            // The run's mask already says which lights its triangles can be reached by.
            const std::vector<LitLightSlot> reaching =
                game.skipUnreachableLights ? lightsInMask(near, range.lightMask) : near;
            if (!uploaded || !sameLights(reaching, inUse)) {
                useLights(program, lights, reaching);
                inUse = reaching;
                uploaded = true;
            }
            scissorTo(range, viewport);
            glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(range.count), GL_UNSIGNED_SHORT,
                           reinterpret_cast<const void*>(range.first * sizeof(GLushort)));
        }
        glDisable(GL_SCISSOR_TEST);
    }
    for (GLuint i = 0; i < 5; ++i) {
        glDisableVertexAttribArray(i);
    }
}

}  // namespace zarnhold
