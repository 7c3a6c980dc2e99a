#include "render/Light.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include "render/ShadowFaces.h"
#include "scene/GlLedger.h"
#include "scene/Node.h"
#include "scene/Object3D.h"
#include "scene/ShaderLoader.h"

namespace {

constexpr int shadowSize = 1024;

struct CubeFace {
    glm::vec3 look;
    glm::vec3 up;
};

// GL's face order: +X, -X, +Y, -Y, +Z, -Z.
const CubeFace cubeFaces[6] = {
    {{1, 0, 0}, {0, -1, 0}},  {{-1, 0, 0}, {0, -1, 0}}, {{0, 1, 0}, {0, 0, 1}},
    {{0, -1, 0}, {0, 0, -1}}, {{0, 0, 1}, {0, -1, 0}},  {{0, 0, -1}, {0, -1, 0}},
};

GLuint makeDepthCube() {
    GLuint cube = 0;
    glGenTextures(1, &cube);
    GlLedger::record(GlLedger::Kind::Texture, cube);
    glBindTexture(GL_TEXTURE_CUBE_MAP, cube);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_R, GL_CLAMP_TO_EDGE);
    for (int face = 0; face < 6; ++face) {
        glTexImage2D(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_DEPTH_COMPONENT24, shadowSize,
                     shadowSize, 0, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, nullptr);
    }
    return cube;
}

// A framebuffer for depth alone, left bound: with no colour buffer to draw to or read from,
// GL 3.2 core counts it complete once its depth attachment is.
GLuint makeDepthFramebuffer() {
    GLuint framebuffer = 0;
    glGenFramebuffers(1, &framebuffer);
    GlLedger::record(GlLedger::Kind::Framebuffer, framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);
    return framebuffer;
}

bool boundFramebufferComplete() {
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

// Draws the casters fixed in place within reach of `lightPosition`.
void drawFixedCasters(Node& node, GLuint program, const glm::vec3& lightPosition) {
    if (node.fixedInPlace && node.mayReach(lightPosition, shadowReach)) {
        node.drawDepth(program);
    }
    for (Node* child : node.children) {
        drawFixedCasters(*child, program, lightPosition);
    }
}

// The moving casters that draw something into some face, and the faces they touch.
struct MovingCasters {
    std::vector<Object3D*> meshes;
    unsigned int faces = 0;
};

void collectMovingCasters(Node& node, const glm::vec3& lightPosition, MovingCasters& found) {
    Object3D* mesh = node.fixedInPlace ? nullptr : dynamic_cast<Object3D*>(&node);
    glm::vec3 centre(0.0f);
    float radius = 0.0f;
    if (mesh != nullptr && mesh->castsShadow && mesh->worldBounds(centre, radius)) {
        const unsigned int faces = shadowFacesTouched(lightPosition, centre, radius);
        if (faces != 0) {
            found.meshes.push_back(mesh);
            found.faces |= faces;
        }
    }
    for (Node* child : node.children) {
        collectMovingCasters(*child, lightPosition, found);
    }
}

}  // namespace

Light::Light(float red, float green, float blue, float luminocity, float x, float y, float z,
             int kind, float spareX, float spareY, float spareZ, float cAtt, float lAtt, float eAtt)
    : color(red, green, blue),
      spare(spareX, spareY, spareZ),
      position(x, y, z),
      kind(kind),
      luminocity(luminocity),
      lAtt(lAtt),
      cAtt(cAtt),
      eAtt(eAtt) {}

glm::mat4 shadowFaceProjection() {
    const float halfAngle = 0.7853981852531433f;
    const float focal = 1.0f / static_cast<float>(std::tan(halfAngle));
    glm::mat4 projection(0.0f);
    projection[0][0] = focal;
    projection[1][1] = focal;
    projection[2][2] = -1.002002f;
    projection[2][3] = -1.0f;
    projection[3][2] = -0.2002002f;
    return projection;
}

glm::mat4 Light::faceMatrix(int face) const {
    const CubeFace& f = cubeFaces[face];
    return shadowFaceProjection() * glm::lookAt(position, position + f.look, f.up);
}

void Light::setUpShadowMap() {
    shadowProgram = buildShaderProgram("ShadowMapVertexShader.vert", "ShadowMapFragmentShader.frag",
                                       "ShadowMapGeometryShader.geom");
    shadowCubeMap = makeDepthCube();
    shadowFramebuffer = makeDepthFramebuffer();
    glFramebufferTexture(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, shadowCubeMap, 0);
    if (!boundFramebufferComplete()) {
        std::printf("Framebuffer not OK!\n");
        return;
    }

    const GLuint cacheCube = makeDepthCube();
    const GLuint cacheFramebuffer = makeDepthFramebuffer();
    glFramebufferTexture(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, cacheCube, 0);
    bool complete = boundFramebufferComplete();
    // The copy attaches one face at a time; the faces share size and format, so the first
    // face stands for them all.
    const GLuint readFramebuffer = makeDepthFramebuffer();
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_CUBE_MAP_POSITIVE_X,
                           cacheCube, 0);
    complete = complete && boundFramebufferComplete();
    const GLuint drawFramebuffer = makeDepthFramebuffer();
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_CUBE_MAP_POSITIVE_X,
                           shadowCubeMap, 0);
    complete = complete && boundFramebufferComplete();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
    // Without the cache the light keeps to the plain pass; the run's ledger frees what was made.
    if (!complete) {
        std::printf("Framebuffer not OK!\n");
        return;
    }
    fixedDepthCube = cacheCube;
    fixedFramebuffer = cacheFramebuffer;
    copyReadFramebuffer = readFramebuffer;
    copyDrawFramebuffer = drawFramebuffer;
    fixedCacheReady = false;
    staleFaces = allShadowFaces;
}

void Light::renderShadowMapReference(Node& root) {
    drawEveryCaster(root, shadowFramebuffer);
    staleFaces = allShadowFaces;
}

void Light::drawEveryCaster(Node& root, unsigned int framebuffer) {
    glUseProgram(shadowProgram);
    glViewport(0, 0, shadowSize, shadowSize);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glClear(GL_DEPTH_BUFFER_BIT);
    setPassUniforms();
    drawSubtreeDepth(root, shadowProgram);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void Light::renderShadowMap(Node& root) {
    // A light whose set-up found a framebuffer incomplete has no cache to start from.
    if (fixedFramebuffer == 0) {
        renderShadowMapReference(root);
        return;
    }
    glUseProgram(shadowProgram);
    glViewport(0, 0, shadowSize, shadowSize);
    if (!fixedCacheReady || fixedCachePosition != position) {
        drawFixedCache(root);
    }
    MovingCasters moving;
    collectMovingCasters(root, position, moving);
    // Depth keeps the nearest fragment whatever the drawing order, so the fixed casters'
    // depths plus the moving ones drawn over them equal one pass over everything. A face
    // that no moving caster touches now, and that holds none from before, is already right.
    copyFixedCache(moving.faces | staleFaces);
    if (!moving.meshes.empty()) {
        glBindFramebuffer(GL_FRAMEBUFFER, shadowFramebuffer);
        setPassUniforms();
        for (Object3D* mesh : moving.meshes) {
            mesh->drawDepth(shadowProgram);
        }
    }
    staleFaces = moving.faces;
    // The window's framebuffer is cleared by the main pass itself.
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void Light::drawFixedCache(Node& root) {
    glBindFramebuffer(GL_FRAMEBUFFER, fixedFramebuffer);
    glClear(GL_DEPTH_BUFFER_BIT);
    setPassUniforms();
    drawFixedCasters(root, shadowProgram, position);
    fixedCachePosition = position;
    fixedCacheReady = true;
    staleFaces = allShadowFaces;
}

void Light::copyFixedCache(unsigned int faces) {
    if (faces == 0) {
        return;
    }
    glBindFramebuffer(GL_READ_FRAMEBUFFER, copyReadFramebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, copyDrawFramebuffer);
    for (int face = 0; face < 6; ++face) {
        if ((faces & (1u << face)) == 0) {
            continue;
        }
        const GLenum target = GL_TEXTURE_CUBE_MAP_POSITIVE_X + face;
        glFramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, target, fixedDepthCube, 0);
        glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, target, shadowCubeMap, 0);
        glBlitFramebuffer(0, 0, shadowSize, shadowSize, 0, 0, shadowSize, shadowSize,
                          GL_DEPTH_BUFFER_BIT, GL_NEAREST);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}
void Light::setPassUniforms() {
    glUseProgram(shadowProgram);
    for (int face = 0; face < 6; ++face) {
        const glm::mat4 matrix = faceMatrix(face);
        const std::string name = "cm_mat[" + std::to_string(face) + "]";
        glUniformMatrix4fv(glGetUniformLocation(shadowProgram, name.c_str()), 1, GL_FALSE,
                           glm::value_ptr(matrix));
    }
    glUniform2f(glGetUniformLocation(shadowProgram, "near_far"), 0.1f, 100.0f);
    glUniform4f(glGetUniformLocation(shadowProgram, "l_pos"), position.x, position.y, position.z,
                1.0f);
}
