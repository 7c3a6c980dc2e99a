#include "render/ShadowCubeRenderer.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include "render/CubeDepthTiles.h"
#include "render/DepthCubePool.h"
#include "render/ProgramCache.h"
#include "render/ShadowFaces.h"
#include "scene/GlLedger.h"
#include "scene/Node.h"
#include "scene/Object3D.h"

namespace zarnhold {

namespace {

constexpr int shadowSize = 1024;

// A framebuffer for depth alone, left bound: with no colour buffer to draw to or read from,
// GL 3.2 core counts it complete once its depth attachment is.
GLuint makeDepthFramebuffer(GlLedger* ledger) {
    GLuint framebuffer = 0;
    glGenFramebuffers(1, &framebuffer);
    GlLedger::recordIn(ledger, GlLedger::Kind::Framebuffer, framebuffer);
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

// The moving casters that draw something into some face, and where on each face.
struct MovingCasters {
    std::vector<MovingCaster> casters;
    FaceRect rects[6];
};

// What one light knows while it gathers its moving casters.
struct CasterSearch {
    glm::vec3 lightPosition;
    const glm::mat4* faceMatrices;
    const CubeDepthTiles& fixedTiles;
};

// Adds to `rects` the texels of each face that a moving caster within `centre`, `radius`
// may change, and returns those faces. A face where the fixed casters lie nearer than the
// whole sphere, at every texel it could cover, keeps its depths: the depth test would
// reject all of the caster's fragments.
unsigned int facesChangedBy(const CasterSearch& search, glm::vec3 centre, float radius, FaceRect rects[6]) {
    const unsigned int faces = shadowFacesTouched(search.lightPosition, centre, radius);
    // Stored depth is distance over the far plane; the margin covers the 24-bit rounding.
    const float nearest = (glm::length(centre - search.lightPosition) - radius) / 100.0f - 1e-5f;
    unsigned int changed = 0;
    for (int face = 0; face < 6; ++face) {
        if ((faces & (1u << face)) == 0) {
            continue;
        }
        const FaceRect rect = shadowFaceRect(search.faceMatrices[face], centre, radius, shadowSize);
        if (rect.empty() || search.fixedTiles.farthestIn(face, rect) < nearest) {
            continue;
        }
        rects[face] = rects[face].unite(rect);
        changed |= 1u << face;
    }
    return changed;
}

void collectMovingCasters(Node& node, const CasterSearch& search, MovingCasters& found) {
    Object3D* mesh = node.fixedInPlace ? nullptr : dynamic_cast<Object3D*>(&node);
    glm::vec3 centre(0.0f);
    float radius = 0.0f;
    if (mesh != nullptr && mesh->castsShadow && mesh->worldBounds(centre, radius)) {
        const unsigned int faces = facesChangedBy(search, centre, radius, found.rects);
        if (faces != 0) {
            found.casters.push_back({mesh, faces});
        }
    }
    for (Node* child : node.children) {
        collectMovingCasters(*child, search, found);
    }
}

}  // namespace

bool ShadowCubeRenderer::setUp(DepthCubePool& cubes, ProgramCache& programs, GlLedger* ledger) {
    shadowProgram = programs.program("ShadowMapVertexShader.vert", "ShadowMapFragmentShader.frag",
                                     "ShadowMapGeometryShader.geom");
    shadowCubeMap = cubes.take(shadowSize);
    shadowFramebuffer = makeDepthFramebuffer(ledger);
    glFramebufferTexture(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, shadowCubeMap, 0);
    if (!boundFramebufferComplete()) {
        std::printf("Framebuffer not OK!\n");
        return false;
    }

    const GLuint cacheCube = cubes.take(shadowSize);
    const GLuint cacheFramebuffer = makeDepthFramebuffer(ledger);
    glFramebufferTexture(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, cacheCube, 0);
    bool complete = boundFramebufferComplete();
    // The copy attaches one face at a time; the faces share size and format, so the first
    // face stands for them all.
    const GLuint readFramebuffer = makeDepthFramebuffer(ledger);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_CUBE_MAP_POSITIVE_X, cacheCube, 0);
    complete = complete && boundFramebufferComplete();
    const GLuint drawFramebuffer = makeDepthFramebuffer(ledger);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_CUBE_MAP_POSITIVE_X, shadowCubeMap,
                           0);
    complete = complete && boundFramebufferComplete();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
    // Without the cache the light keeps to the plain pass; the run's ledger frees what was made.
    if (!complete) {
        std::printf("Framebuffer not OK!\n");
        return false;
    }
    fixedDepthCube = cacheCube;
    fixedFramebuffer = cacheFramebuffer;
    faceProgram = programs.program("ShadowMapFaceVertexShader.vert", "ShadowMapFragmentShader.frag");
    GLint linked = GL_FALSE;
    glGetProgramiv(faceProgram, GL_LINK_STATUS, &linked);
    // Without it the moving casters go through the layered pass like the rest.
    if (linked != GL_TRUE) faceProgram = 0;
    copyReadFramebuffer = readFramebuffer;
    copyDrawFramebuffer = drawFramebuffer;
    fixedCacheReady = false;
    markWholeCubeStale();
    return true;
}

void ShadowCubeRenderer::renderReference(Node& root, glm::vec3 position) {
    drawEveryCaster(root, shadowFramebuffer, position);
    markWholeCubeStale();
}

void ShadowCubeRenderer::markWholeCubeStale() {
    for (FaceRect& rect : staleRects) {
        rect = wholeFace(shadowSize);
    }
}

void ShadowCubeRenderer::drawEveryCaster(Node& root, unsigned int framebuffer, glm::vec3 position) {
    glUseProgram(shadowProgram);
    glViewport(0, 0, shadowSize, shadowSize);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glClear(GL_DEPTH_BUFFER_BIT);
    setPassUniforms(position);
    drawSubtreeDepth(root, shadowProgram);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void ShadowCubeRenderer::cacheFixedCasters(Node& root, glm::vec3 position) {
    if (fixedFramebuffer == 0 || (fixedCacheReady && fixedCachePosition == position)) {
        return;
    }
    glUseProgram(shadowProgram);
    glViewport(0, 0, shadowSize, shadowSize);
    drawFixedCache(root, position);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void ShadowCubeRenderer::render(Node& root, glm::vec3 position) {
    // A light whose set-up found a framebuffer incomplete has no cache to start from.
    if (fixedFramebuffer == 0) {
        renderReference(root, position);
        return;
    }
    glUseProgram(shadowProgram);
    glViewport(0, 0, shadowSize, shadowSize);
    if (!fixedCacheReady || fixedCachePosition != position) {
        drawFixedCache(root, position);
    }
    glm::mat4 faceMatrices[6];
    for (int face = 0; face < 6; ++face) {
        faceMatrices[face] = shadowFaceMatrix(position, face);
    }
    MovingCasters moving;
    collectMovingCasters(root, CasterSearch{position, faceMatrices, fixedTiles}, moving);
    // Depth keeps the nearest fragment whatever the drawing order, so the fixed casters'
    // depths plus the moving ones drawn over them equal one pass over everything. Texels
    // that no moving caster covers now, and that held none before, are already right.
    FaceRect restore[6];
    for (int face = 0; face < 6; ++face) {
        restore[face] = staleRects[face].unite(moving.rects[face]);
        staleRects[face] = moving.rects[face];
    }
    copyFixedCache(restore);
    if (!moving.casters.empty()) {
        drawMovingCasters(moving.casters, faceMatrices, position);
    }
    // The window's framebuffer is cleared by the main pass itself.
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

// Each moving caster touches a face or two: drawing it into those faces alone, without
// the geometry stage that repeats every triangle six times, costs a fraction of the
// layered draw and gives the same depths.
void ShadowCubeRenderer::drawMovingCasters(const std::vector<MovingCaster>& casters,
                                           const glm::mat4 faceMatrices[6], glm::vec3 position) {
    if (faceProgram == 0) {
        glBindFramebuffer(GL_FRAMEBUFFER, shadowFramebuffer);
        setPassUniforms(position);
        for (const MovingCaster& caster : casters) {
            caster.mesh->drawDepth(shadowProgram);
        }
        return;
    }
    glUseProgram(faceProgram);
    glUniform2f(glGetUniformLocation(faceProgram, "near_far"), 0.1f, 100.0f);
    glUniform4f(glGetUniformLocation(faceProgram, "l_pos"), position.x, position.y, position.z, 1.0f);
    glBindFramebuffer(GL_FRAMEBUFFER, copyDrawFramebuffer);
    for (int face = 0; face < 6; ++face) {
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_CUBE_MAP_POSITIVE_X + face,
                               shadowCubeMap, 0);
        glUniformMatrix4fv(glGetUniformLocation(faceProgram, "face_mat"), 1, GL_FALSE,
                           glm::value_ptr(faceMatrices[face]));
        for (const MovingCaster& caster : casters) {
            if (caster.faces & (1u << face)) {
                caster.mesh->drawDepth(faceProgram);
            }
        }
    }
}

void ShadowCubeRenderer::drawFixedCache(Node& root, glm::vec3 position) {
    glBindFramebuffer(GL_FRAMEBUFFER, fixedFramebuffer);
    glClear(GL_DEPTH_BUFFER_BIT);
    setPassUniforms(position);
    drawFixedCasters(root, shadowProgram, position);
    readFixedTiles();
    fixedCachePosition = position;
    fixedCacheReady = true;
    markWholeCubeStale();
}

void ShadowCubeRenderer::readFixedTiles() {
    std::vector<float> depths(static_cast<std::size_t>(shadowSize) * shadowSize);
    glBindTexture(GL_TEXTURE_CUBE_MAP, fixedDepthCube);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    for (int face = 0; face < 6; ++face) {
        glGetTexImage(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_DEPTH_COMPONENT, GL_FLOAT, depths.data());
        fixedTiles.setFace(face, depths, shadowSize);
    }
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
}

void ShadowCubeRenderer::copyFixedCache(const FaceRect rects[6]) {
    bool bound = false;
    for (int face = 0; face < 6; ++face) {
        const FaceRect& r = rects[face];
        if (r.empty()) {
            continue;
        }
        if (!bound) {
            glBindFramebuffer(GL_READ_FRAMEBUFFER, copyReadFramebuffer);
            glBindFramebuffer(GL_DRAW_FRAMEBUFFER, copyDrawFramebuffer);
            bound = true;
        }
        const GLenum target = GL_TEXTURE_CUBE_MAP_POSITIVE_X + face;
        glFramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, target, fixedDepthCube, 0);
        glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, target, shadowCubeMap, 0);
        glBlitFramebuffer(r.x0, r.y0, r.x1, r.y1, r.x0, r.y0, r.x1, r.y1, GL_DEPTH_BUFFER_BIT, GL_NEAREST);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}
bool ShadowCubeRenderer::mayLight(glm::vec3 position, glm::vec3 low, glm::vec3 high) const {
    return !fixedTiles.ready() || fixedCachePosition != position ||
           mayLightPast(fixedTiles, position, low, high, shadowSize);
}
void ShadowCubeRenderer::setPassUniforms(glm::vec3 position) {
    glUseProgram(shadowProgram);
    for (int face = 0; face < 6; ++face) {
        const glm::mat4 matrix = shadowFaceMatrix(position, face);
        const std::string name = "cm_mat[" + std::to_string(face) + "]";
        glUniformMatrix4fv(glGetUniformLocation(shadowProgram, name.c_str()), 1, GL_FALSE,
                           glm::value_ptr(matrix));
    }
    glUniform2f(glGetUniformLocation(shadowProgram, "near_far"), 0.1f, 100.0f);
    glUniform4f(glGetUniformLocation(shadowProgram, "l_pos"), position.x, position.y, position.z, 1.0f);
}

}  // namespace zarnhold
