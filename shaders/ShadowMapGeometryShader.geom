#version 150 core
// Shadow pass: each triangle into the six faces of the light's depth cube, face f into
// layer f through "cm_mat[f]". A triangle wholly outside one of a face's clip planes would
// be clipped away there anyway, so it is not emitted into that face at all.
layout(triangles) in;
layout(triangle_strip, max_vertices = 18) out;

uniform mat4 cm_mat[6];
out vec4 worldPosition;

bool outsideOnePlane(vec4 a, vec4 b, vec4 c) {
    return (a.x > a.w && b.x > b.w && c.x > c.w) || (a.x < -a.w && b.x < -b.w && c.x < -c.w)
        || (a.y > a.w && b.y > b.w && c.y > c.w) || (a.y < -a.w && b.y < -b.w && c.y < -c.w)
        || (a.z > a.w && b.z > b.w && c.z > c.w) || (a.z < -a.w && b.z < -b.w && c.z < -c.w);
}

void main() {
    for (int face = 0; face < 6; ++face) {
        vec4 clip0 = cm_mat[face] * gl_in[0].gl_Position;
        vec4 clip1 = cm_mat[face] * gl_in[1].gl_Position;
        vec4 clip2 = cm_mat[face] * gl_in[2].gl_Position;
        if (outsideOnePlane(clip0, clip1, clip2)) {
            continue;
        }
        gl_Layer = face;
        worldPosition = gl_in[0].gl_Position;
        gl_Position = clip0;
        EmitVertex();
        gl_Layer = face;
        worldPosition = gl_in[1].gl_Position;
        gl_Position = clip1;
        EmitVertex();
        gl_Layer = face;
        worldPosition = gl_in[2].gl_Position;
        gl_Position = clip2;
        EmitVertex();
        EndPrimitive();
    }
}
