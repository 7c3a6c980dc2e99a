#version 150 core
#extension GL_ARB_explicit_attrib_location : require
// The goal crystal. In: position (0), texture coordinate (1), normal (2); "M", "V", "P".
// Out: the texture coordinate, the normal in model space (it picks the face picture) and,
// in the render frame, the position and normal for the lights.
layout(location = 0) in vec3 vertexPosition;
layout(location = 1) in vec2 vertexUV;
layout(location = 2) in vec3 vertexNormal;

out vec2 UV;
out vec3 modelNormal;
out vec3 renderPosition;
out vec3 renderNormal;

uniform mat4 M;
uniform mat4 V;
uniform mat4 P;

void main() {
    vec4 worldPosition = M * vec4(vertexPosition, 1.0);
    gl_Position = P * V * worldPosition;
    UV = vertexUV;
    modelNormal = vertexNormal;
    renderPosition = worldPosition.xyz;
    // M only turns and moves, so its upper 3x3 turns normals correctly.
    renderNormal = (M * vec4(vertexNormal, 0.0)).xyz;
}
