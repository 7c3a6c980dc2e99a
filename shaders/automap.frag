#version 150 core
// The map's flat shapes, each in its corners' colour; the alpha blends the panel's dim
// background over the view.
in vec4 colour;
out vec4 fragmentColour;

void main() {
    fragmentColour = colour;
}
