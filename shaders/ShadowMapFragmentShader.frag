#version 150 core
// Shadow pass: stores the distance to the light over the far plane, the value the lit
// surface compares against. In: world position; "l_pos", "near_far".
in vec4 worldPosition;
uniform vec4 l_pos;
uniform vec2 near_far;

void main() {
    gl_FragDepth = length(worldPosition.xyz - l_pos.xyz) / near_far.y;
}
