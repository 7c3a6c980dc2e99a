#version 150 core
#extension GL_ARB_explicit_attrib_location : require
// Shadow pass into one cube face, without the geometry stage: what the layered pass
// computes for that face, the same way. In: position (0), "M_mat", "face_mat" (that face's
// projection x look-at). Out: the world position.
layout(location = 0) in vec3 vertexPosition;
uniform mat4 M_mat;
uniform mat4 face_mat;
out vec4 worldPosition;

void main() {
    worldPosition = M_mat * vec4(vertexPosition, 1.0);
    gl_Position = face_mat * worldPosition;
}
