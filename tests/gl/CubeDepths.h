#pragma once

#include <cstdint>
#include <vector>

#include <GL/glew.h>

// Every texel of a 1024 x 1024 depth cube map, face after face, as 24-bit depths.
inline std::vector<std::uint32_t> cubeDepths(GLuint cube) {
    std::vector<std::uint32_t> depths(1024 * 1024 * 6);
    glBindTexture(GL_TEXTURE_CUBE_MAP, cube);
    for (int face = 0; face < 6; ++face) {
        glGetTexImage(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT,
                      depths.data() + face * 1024 * 1024);
    }
    return depths;
}
