#version 150 core
// One triangle that covers the window (corners (-1,-1), (3,-1), (-1,3)), no vertex data.
// Out: the scene texture's coordinate, 0..1 across the window.
out vec2 UV;

void main() {
    vec2 corner = vec2((gl_VertexID << 1) & 2, gl_VertexID & 2);
    UV = corner;
    gl_Position = vec4(corner * 2.0 - 1.0, 0.0, 1.0);
}
