#version 150 core
// A rectangle of the window with no vertex data (a strip of four corners): "rect" holds
// its lower left and upper right corners in normalised device coordinates. Out: where the
// fragment lies in it, -1..1 each way.
uniform vec4 rect;
out vec2 local;

void main() {
    vec2 corner = vec2(gl_VertexID & 1, (gl_VertexID >> 1) & 1);
    local = corner * 2.0 - 1.0;
    gl_Position = vec4(mix(rect.xy, rect.zw, corner), 0.0, 1.0);
}
