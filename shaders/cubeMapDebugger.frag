#version 150 core
// Cube-map viewer: the stored depth of "cubemap" along the direction, as grey.
in vec3 direction;
out vec4 color;
uniform samplerCube cubemap;

void main() {
    float depth = texture(cubemap, direction).r;
    color = vec4(vec3(depth), 1.0);
}
