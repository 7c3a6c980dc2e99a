#pragma once

#include <vector>

namespace zarnhold {

class GlLedger;
class Object3D;

// The unindexed corner lists that things with their own draw (the pictures, the shield,
// the sword, the goal crystal, the cube-map viewer) keep in GL: one buffer a list, recorded in `ledger` (when
// there is one) so the run that made it frees it. Need a current GL context.

// A new GL_STATIC_DRAW array buffer holding `floats`; left bound to GL_ARRAY_BUFFER.
unsigned int makeCornerBuffer(const std::vector<float>& floats, GlLedger* ledger);
// Feeds attribute `location` from `buffer`, `size` floats a corner, tightly packed.
void bindCornerAttribute(unsigned int location, unsigned int buffer, int size);

// A vertex array with a mesh's corner positions, texture coordinates and normals, fed to
// attributes 0, 1 and 2.
struct CornerArrays {
    unsigned int vertexArray = 0;
    unsigned int positions = 0;
    unsigned int uvs = 0;
    unsigned int normals = 0;
    int count = 0;
};

// The corners of `mesh`'s triangles as they stand; the vertex array bound before is bound
// again afterwards.
CornerArrays makeCornerArrays(const Object3D& mesh, GlLedger* ledger);
// Binds the vertex array and feeds the three attributes; returns the vertex array that was
// bound, for drawCornerArrays to bind again.
unsigned int bindCornerArrays(const CornerArrays& corners);
// Draws the first `count` corners (every corner when negative) as triangles, turns the
// attributes off and binds `previousArray`.
void drawCornerArrays(const CornerArrays& corners, unsigned int previousArray, int count = -1);

}  // namespace zarnhold
