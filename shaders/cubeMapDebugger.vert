#version 150 core
#extension GL_ARB_explicit_attrib_location : require
// Cube-map viewer. In: position (0), "perspective", "view". Out: the sampling direction.
layout(location = 0) in vec3 position;
out vec3 direction;
uniform mat4 perspective;
uniform mat4 view;

void main() {
    direction = position;
    gl_Position = perspective * view * vec4(position, 1.0);
}
