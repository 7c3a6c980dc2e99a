#include "scene/Object3D.h"

#include <algorithm>
#include <utility>

#include <GL/glew.h>
#include <glm/gtc/type_ptr.hpp>

#include "scene/GlLedger.h"
#include "scene/ShaderLoader.h"
#include "scene/VertexIndexer.h"

namespace zarnhold {

namespace {

template <typename T>
GLuint makeArrayBuffer(const std::vector<T>& data, GlLedger* ledger) {
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    GlLedger::recordIn(ledger, GlLedger::Kind::Buffer, buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, data.size() * sizeof(T), data.data(), GL_STATIC_DRAW);
    return buffer;
}

}  // namespace

std::vector<glm::vec3> Object3D::collectVertices(std::vector<glm::vec3>& vertices) {
    Node::collectVertices(vertices);
    for (const Triangle& triangle : meshData().triangles) {
        vertices.insert(vertices.end(), std::begin(triangle.positions), std::end(triangle.positions));
    }
    return vertices;
}

std::vector<Triangle> Object3D::collectTriangles(std::vector<Triangle>& collected) {
    Node::collectTriangles(collected);
    const std::vector<Triangle>& own = meshData().triangles;
    collected.insert(collected.end(), own.begin(), own.end());
    return collected;
}

void Object3D::drawDepth(unsigned int depthProgram) {
    if (!castsShadow) {
        return;
    }
    const MeshData& mesh = meshData();
    glUseProgram(depthProgram);
    glEnableVertexAttribArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, mesh.positionBuffer);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh.elementBuffer);
    glUniformMatrix4fv(glGetUniformLocation(depthProgram, "M_mat"), 1, GL_FALSE, glm::value_ptr(modelMatrix));
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.indices.size()), GL_UNSIGNED_SHORT, nullptr);
    glDisableVertexAttribArray(0);
}

bool Object3D::worldBounds(glm::vec3& centre, float& radius) const {
    const MeshData& mesh = meshData();
    if (mesh.indexedPositions.empty()) {
        return false;
    }
    // The model matrices scale uniformly, so the longest axis bounds the radius.
    const float scale =
        std::max({glm::length(glm::vec3(modelMatrix[0])), glm::length(glm::vec3(modelMatrix[1])),
                  glm::length(glm::vec3(modelMatrix[2]))});
    centre = glm::vec3(modelMatrix * glm::vec4(mesh.boundsCenter, 1.0f));
    // A little slack keeps rounding from ruling out a mesh that touches a limit.
    radius = mesh.boundsRadius * scale * 1.001f + 0.01f;
    return true;
}

bool Object3D::mayReach(const glm::vec3& point, float distance) const {
    glm::vec3 centre(0.0f);
    float radius = 0.0f;
    if (!worldBounds(centre, radius)) {
        return false;
    }
    // Anything non-finite cannot be ruled out.
    return !(glm::length(centre - point) - radius > distance);
}

void Object3D::computeBounds() {
    if (indexedPositions.empty()) {
        boundsCenter = glm::vec3(0.0f);
        boundsRadius = 0.0f;
        return;
    }
    glm::vec3 low = indexedPositions.front(), high = low;
    for (const glm::vec3& p : indexedPositions) {
        low = glm::min(low, p);
        high = glm::max(high, p);
    }
    boundsCenter = 0.5f * (low + high);
    boundsRadius = 0.0f;
    for (const glm::vec3& p : indexedPositions) {
        boundsRadius = std::max(boundsRadius, glm::length(p - boundsCenter));
    }
}

void Object3D::addTriangle(float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3,
                           float z3, float u1, float v1, float u2, float v2, float u3, float v3, float nx1,
                           float ny1, float nz1, float nx2, float ny2, float nz2, float nx3, float ny3,
                           float nz3) {
    Triangle triangle;
    triangle.positions[0] = {x1, y1, z1};
    triangle.positions[1] = {x2, y2, z2};
    triangle.positions[2] = {x3, y3, z3};
    triangle.uvs[0] = {u1, v1};
    triangle.uvs[1] = {u2, v2};
    triangle.uvs[2] = {u3, v3};
    triangle.normals[0] = {nx1, ny1, nz1};
    triangle.normals[1] = {nx2, ny2, nz2};
    triangle.normals[2] = {nx3, ny3, nz3};
    triangles.push_back(triangle);
}

void Object3D::addTriangle(const Triangle& triangle) {
    triangles.push_back(triangle);
}

std::vector<glm::vec3> Object3D::cornerPositions() const {
    std::vector<glm::vec3> corners;
    corners.reserve(triangles.size() * 3);
    for (const Triangle& triangle : triangles) {
        corners.insert(corners.end(), std::begin(triangle.positions), std::end(triangle.positions));
    }
    return corners;
}

std::vector<glm::vec2> Object3D::cornerUvs() const {
    std::vector<glm::vec2> corners;
    corners.reserve(triangles.size() * 3);
    for (const Triangle& triangle : triangles) {
        corners.insert(corners.end(), std::begin(triangle.uvs), std::end(triangle.uvs));
    }
    return corners;
}

std::vector<glm::vec3> Object3D::cornerNormals() const {
    std::vector<glm::vec3> corners;
    corners.reserve(triangles.size() * 3);
    for (const Triangle& triangle : triangles) {
        corners.insert(corners.end(), std::begin(triangle.normals), std::end(triangle.normals));
    }
    return corners;
}

std::vector<float> Object3D::positionFloats() const {
    std::vector<float> floats;
    floats.reserve(triangles.size() * 9);
    for (const glm::vec3& p : cornerPositions()) {
        floats.insert(floats.end(), {p.x, p.y, p.z});
    }
    return floats;
}

std::vector<float> Object3D::uvFloats() const {
    std::vector<float> floats;
    floats.reserve(triangles.size() * 6);
    for (const glm::vec2& uv : cornerUvs()) {
        floats.insert(floats.end(), {uv.x, uv.y});
    }
    return floats;
}

std::vector<float> Object3D::normalFloats() const {
    std::vector<float> floats;
    floats.reserve(triangles.size() * 9);
    for (const glm::vec3& n : cornerNormals()) {
        floats.insert(floats.end(), {n.x, n.y, n.z});
    }
    return floats;
}

void Object3D::buildIndexedGeometry() {
    tangents.clear();
    bitangents.clear();
    indices.clear();
    indexedPositions.clear();
    indexedUvs.clear();
    indexedNormals.clear();
    indexedTangents.clear();
    indexedBitangents.clear();
    const std::vector<glm::vec3> positions = cornerPositions();
    const std::vector<glm::vec2> uvs = cornerUvs();
    const std::vector<glm::vec3> normals = cornerNormals();
    computeTangents(positions, uvs, normals, tangents, bitangents);
    weldVertices(positions, uvs, normals, tangents, bitangents, indices, indexedPositions, indexedUvs,
                 indexedNormals, indexedTangents, indexedBitangents);
    computeBounds();
}

void Object3D::uploadMesh(GlLedger* ledger) {
    uploadMesh(ledger, buildShaderProgram("lightshader.vert", "lightshader.frag", ledger));
}

void Object3D::uploadMesh(GlLedger* ledger, unsigned int litProgram) {
    buildIndexedGeometry();
    positionBuffer = makeArrayBuffer(indexedPositions, ledger);
    uvBuffer = makeArrayBuffer(indexedUvs, ledger);
    normalBuffer = makeArrayBuffer(indexedNormals, ledger);
    tangentBuffer = makeArrayBuffer(indexedTangents, ledger);
    bitangentBuffer = makeArrayBuffer(indexedBitangents, ledger);
    glGenBuffers(1, &elementBuffer);
    GlLedger::recordIn(ledger, GlLedger::Kind::Buffer, elementBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, elementBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, indices.size() * sizeof(std::uint16_t), indices.data(),
                 GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    program = litProgram;
    textureSamplerLocation = glGetUniformLocation(program, "myTextureSampler");
    normalSamplerLocation = glGetUniformLocation(program, "myNormalSampler");
}

void Object3D::copyMeshFrom(Object3D& other) {
    shared = other.sharedMesh();
    static_cast<MeshData&>(*this) = MeshData();
    program = other.program;
    textureSamplerLocation = other.textureSamplerLocation;
    normalSamplerLocation = other.normalSamplerLocation;
}

std::shared_ptr<const MeshData> Object3D::sharedMesh() {
    if (!shared) {
        shared = std::make_shared<const MeshData>(std::move(static_cast<MeshData&>(*this)));
        static_cast<MeshData&>(*this) = MeshData();
    }
    return shared;
}

}  // namespace zarnhold
