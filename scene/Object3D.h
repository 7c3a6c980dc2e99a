#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <glm/glm.hpp>

#include "scene/MeshData.h"
#include "scene/Node.h"
#include "scene/Triangle.h"

namespace zarnhold {

class GlLedger;

// The mesh-carrying node every visible thing is built on. It holds the model as
// triangles, derives the welded, indexed geometry with tangents from them, and knows the
// GL buffers, textures and program that draw it. It never deletes GL objects:
// copyMeshFrom lets several objects share them, and the run that made them frees them.
// What it draws is meshData(): its own MeshData, or, once shared, one read-only copy that
// every object drawing the model reads.
class Object3D : public Node, public MeshData {
public:
    Object3D() = default;

    // Corner positions of every triangle, after the children's.
    std::vector<glm::vec3> collectVertices(std::vector<glm::vec3>& vertices) override;
    // The children's triangles first, then this object's own.
    std::vector<Triangle> collectTriangles(std::vector<Triangle>& triangles) override;
    // Position-only indexed draw with "M_mat" = modelMatrix; nothing when !castsShadow.
    void drawDepth(unsigned int program) override;
    // From the bounding sphere of the welded positions, moved by modelMatrix.
    bool mayReach(const glm::vec3& point, float distance) const override;
    // A sphere around everything drawDepth draws (render frame), with a little slack;
    // false when there is nothing to draw.
    bool worldBounds(glm::vec3& centre, float& radius) const;

    // Appends one triangle: 9 position floats, 6 uv floats, 9 normal floats.
    void addTriangle(float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3, float z3,
                     float u1, float v1, float u2, float v2, float u3, float v3, float nx1, float ny1,
                     float nz1, float nx2, float ny2, float nz2, float nx3, float ny3, float nz3);
    void addTriangle(const Triangle& triangle);

    std::vector<glm::vec3> cornerPositions() const;
    std::vector<glm::vec2> cornerUvs() const;
    std::vector<glm::vec3> cornerNormals() const;
    std::vector<float> positionFloats() const;
    std::vector<float> uvFloats() const;
    std::vector<float> normalFloats() const;

    // Tangents, then welded vertices and 16-bit indices, from the triangles. Idempotent.
    void buildIndexedGeometry();
    // buildIndexedGeometry and the six buffers, recorded in `ledger` when there is one, then
    // `litProgram` and its sampler locations. Needs a current GL context.
    void uploadMesh(GlLedger* ledger, unsigned int litProgram);
    // The same with a lit program linked for this mesh alone (recorded in `ledger`).
    void uploadMesh(GlLedger* ledger);
    // Draws `other`'s mesh from now on, sharing its one read-only copy (made from `other`'s
    // own on the first share), and with its program. What the object does with the mesh
    // (its place, whether it casts a shadow) stays its own.
    void copyMeshFrom(Object3D& other);
    // The mesh this object draws. Before any share, its own MeshData; after, the shared copy
    // (its own fields are then left empty).
    const MeshData& meshData() const { return shared ? *shared : *this; }

    bool castsShadow = false;
    // What draws it, with the locations of its samplers.
    unsigned int program = 0;
    int textureSamplerLocation = 0;
    int normalSamplerLocation = 0;

private:
    void computeBounds();
    // Moves this object's own MeshData into the read-only copy, once, and returns that copy.
    std::shared_ptr<const MeshData> sharedMesh();
    std::shared_ptr<const MeshData> shared;
};

}  // namespace zarnhold
