#version 150 core
// The scene drawn at a smaller size, filtered up to the window: "scene".
in vec2 UV;
out vec4 color;
uniform sampler2D scene;

void main() {
    color = vec4(texture(scene, UV).rgb, 1.0);
}
