#version 150 core
#extension GL_ARB_explicit_attrib_location : require
// Lit surface. In: position (0), texture coordinate (1), normal (2), tangent (3),
// bitangent (4); "M", "V", "P". Out: world position, texture coordinate, the world-space
// tangent frame, and the view-space position (for the health vignette).
layout(location = 0) in vec3 vertexPosition;
layout(location = 1) in vec2 vertexUV;
layout(location = 2) in vec3 vertexNormal;
layout(location = 3) in vec3 vertexTangent;
layout(location = 4) in vec3 vertexBitangent;

out vec3 worldPosition;
out vec2 UV;
out vec3 worldNormal;
out vec3 worldTangent;
out vec3 worldBitangent;
out vec3 viewPosition;
out vec3 eyePosition;

uniform mat4 M;
uniform mat4 V;
uniform mat4 P;

void main() {
    vec4 world = M * vec4(vertexPosition, 1.0);
    vec4 viewSpace = V * world;
    gl_Position = P * viewSpace;
    worldPosition = world.xyz;
    viewPosition = viewSpace.xyz;
    UV = vertexUV;
    // The model matrices are rotations, translations and uniform scales, so mat3(M)
    // carries directions. Tangents are scaled by the texture's stretch and welded ones are
    // sums: unit length here keeps the mapped normal's tilt true.
    mat3 toWorld = mat3(M);
    worldNormal = toWorld * vertexNormal;
    worldTangent = normalize(toWorld * vertexTangent);
    worldBitangent = normalize(toWorld * vertexBitangent);
    // The camera's world position: -R^T t of the view matrix.
    eyePosition = -transpose(mat3(V)) * V[3].xyz;
}
