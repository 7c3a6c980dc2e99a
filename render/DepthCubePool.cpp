#include "render/DepthCubePool.h"

#include <utility>

#include <GL/glew.h>

#include "scene/GlLedger.h"

namespace {

DepthCubePool* activePool = nullptr;

GLuint makeDepthCube(int size) {
    GLuint cube = 0;
    glGenTextures(1, &cube);
    glBindTexture(GL_TEXTURE_CUBE_MAP, cube);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_R, GL_CLAMP_TO_EDGE);
    for (int face = 0; face < 6; ++face) {
        glTexImage2D(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_DEPTH_COMPONENT24, size, size, 0,
                     GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, nullptr);
    }
    return cube;
}

}  // namespace

DepthCubePool::~DepthCubePool() {
    deactivate();
}

DepthCubePool* DepthCubePool::activate() {
    return std::exchange(activePool, this);
}

void DepthCubePool::deactivate() {
    if (activePool == this) {
        activePool = nullptr;
    }
}

DepthCubePool* DepthCubePool::active() {
    return activePool;
}

unsigned int DepthCubePool::take(int size) {
    if (activePool != nullptr) {
        return activePool->lend(size);
    }
    const GLuint cube = makeDepthCube(size);
    GlLedger::record(GlLedger::Kind::Texture, cube);
    return cube;
}

unsigned int DepthCubePool::lend(int size) {
    // Lights ask in the same order every run, so the next cube nearly always fits.
    for (std::size_t i = lent; i < cubes.size(); ++i) {
        if (cubes[i].size == size) {
            std::swap(cubes[i], cubes[lent]);
            return cubes[lent++].name;
        }
    }
    cubes.push_back({makeDepthCube(size), size});
    std::swap(cubes.back(), cubes[lent]);
    return cubes[lent++].name;
}
