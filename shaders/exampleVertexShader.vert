#version 150 core
#extension GL_ARB_explicit_attrib_location : require
// Simple lit (shield, sword). In: position (0), texture coordinate (1), normal (2); "M",
// "V", "P" and the lamp "LampPos" (render frame). Out: texture coordinate, in view space
// the normal, the direction to the eye and the direction to the lamp, and the position and
// normal in the render frame for the run's lights.
layout(location = 0) in vec3 vertexPosition;
layout(location = 1) in vec2 vertexUV;
layout(location = 2) in vec3 vertexNormal;

out vec2 UV;
out vec3 normalView;
out vec3 toEyeView;
out vec3 toLampView;
out float lampDistance;
out vec3 renderPosition;
out vec3 renderNormal;

uniform mat4 M;
uniform mat4 V;
uniform mat4 P;
uniform vec3 LampPos;

void main() {
    vec4 worldPosition = M * vec4(vertexPosition, 1.0);
    vec4 viewPosition = V * worldPosition;
    gl_Position = P * viewPosition;
    UV = vertexUV;
    // M scales uniformly, so its upper 3x3 turns normals correctly.
    normalView = (V * M * vec4(vertexNormal, 0.0)).xyz;
    toEyeView = -viewPosition.xyz;
    vec3 lampView = (V * vec4(LampPos, 1.0)).xyz;
    toLampView = lampView - viewPosition.xyz;
    lampDistance = length(LampPos - worldPosition.xyz);
    renderPosition = worldPosition.xyz;
    renderNormal = (M * vec4(vertexNormal, 0.0)).xyz;
}
