#version 150 core
#extension GL_ARB_explicit_attrib_location : require
// The map's flat shapes. In: a corner in panel pixels (0) and its colour (1); "panelSize",
// the panel's size in pixels (the viewport covers the panel).
layout(location = 0) in vec2 panelPosition;
layout(location = 1) in vec4 cornerColour;
out vec4 colour;
uniform vec2 panelSize;

void main() {
    colour = cornerColour;
    gl_Position = vec4(panelPosition / panelSize * 2.0 - 1.0, 0.0, 1.0);
}
