#pragma once

#include <cstdint>
#include <vector>

#include <glm/glm.hpp>

#include "scene/Node.h"
#include "scene/Triangle.h"

// The mesh-carrying node every visible thing is built on. It holds the model as
// triangles, derives the welded, indexed geometry with tangents from them, and knows the
// GL buffers, textures and lit program that draw it. It never deletes GL objects:
// copyMeshFrom lets several objects share them, and the run that made them frees them.
class Object3D : public Node {
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

    // Appends one triangle: 9 position floats, 6 uv floats, 9 normal floats.
    void addTriangle(float x1, float y1, float z1, float x2, float y2, float z2,
                     float x3, float y3, float z3,
                     float u1, float v1, float u2, float v2, float u3, float v3,
                     float nx1, float ny1, float nz1, float nx2, float ny2, float nz2,
                     float nx3, float ny3, float nz3);
    void addTriangle(const Triangle& triangle);

    std::vector<glm::vec3> cornerPositions() const;
    std::vector<glm::vec2> cornerUvs() const;
    std::vector<glm::vec3> cornerNormals() const;
    std::vector<float> positionFloats() const;
    std::vector<float> uvFloats() const;
    std::vector<float> normalFloats() const;

    // Tangents, then welded vertices and 16-bit indices, from the triangles. Idempotent.
    void buildIndexedGeometry();
    // buildIndexedGeometry, the six buffers, the lit program and its sampler locations.
    // Needs a current GL context.
    void uploadMesh();
    // Takes another object's geometry and GL names: both then draw the same GL objects.
    void copyMeshFrom(const Object3D& other);

    std::vector<Triangle> triangles;
    std::vector<glm::vec3> tangents;
    std::vector<glm::vec3> bitangents;
    std::vector<std::uint16_t> indices;
    std::vector<glm::vec3> indexedPositions;
    std::vector<glm::vec2> indexedUvs;
    std::vector<glm::vec3> indexedNormals;
    std::vector<glm::vec3> indexedTangents;
    std::vector<glm::vec3> indexedBitangents;
    int textureSamplerLocation = 0;
    unsigned int diffuseTexture = 0;
    unsigned int normalTexture = 0;
    int normalSamplerLocation = 0;
    unsigned int positionBuffer = 0;
    unsigned int uvBuffer = 0;
    unsigned int normalBuffer = 0;
    unsigned int tangentBuffer = 0;
    unsigned int bitangentBuffer = 0;
    unsigned int program = 0;
    unsigned int elementBuffer = 0;
    bool castsShadow = false;
    // Bounding sphere of indexedPositions, object space; set with the indexed geometry.
    glm::vec3 boundsCenter{0.0f};
    float boundsRadius = 0.0f;

private:
    void computeBounds();
};
