#include "render/DepthCubePool.h"

#include <utility>

#include <GL/glew.h>

namespace zarnhold {

namespace {

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

DepthCubePool::~DepthCubePool() = default;

std::size_t DepthCubePool::pick(const std::vector<int>& sizes, std::size_t lent, int size) {
    // Lights ask in the same order every run, so the next cube nearly always fits.
    for (std::size_t i = lent; i < sizes.size(); ++i) {
        if (sizes[i] == size) return i;
    }
    return sizes.size();
}

unsigned int DepthCubePool::take(int size) {
    std::vector<int> sizes;
    sizes.reserve(cubes.size());
    for (const Cube& cube : cubes) sizes.push_back(cube.size);
    const std::size_t chosen = pick(sizes, lent, size);
    if (chosen == cubes.size()) cubes.push_back({makeDepthCube(size), size});
    std::swap(cubes[chosen], cubes[lent]);
    return cubes[lent++].name;
}

void DepthCubePool::releaseAll() {
    for (const Cube& cube : cubes) {
        const GLuint name = cube.name;
        glDeleteTextures(1, &name);
    }
    cubes.clear();
    lent = 0;
}

}  // namespace zarnhold
