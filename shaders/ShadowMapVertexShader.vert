#version 150 core
#extension GL_ARB_explicit_attrib_location : require
// Shadow pass. In: position (0), "M_mat". Out: the world position, for the geometry stage.
layout(location = 0) in vec3 vertexPosition;
uniform mat4 M_mat;

void main() {
    gl_Position = M_mat * vec4(vertexPosition, 1.0);
}
