#version 150 core
// A mark of harm over the view: "colour" at its alpha, as a glow fading from the middle of
// the rectangle to its rim when "glow" is 1 (placed on the window's edge, half or a quarter
// of it shows), or flat over the rectangle when it is 0.
in vec2 local;
out vec4 fragColor;
uniform vec4 colour;
uniform float glow;

void main() {
    float fall = 1.0 - smoothstep(0.0, 1.0, length(local));
    fragColor = vec4(colour.rgb, colour.a * mix(1.0, fall, glow));
}
