// Any bytes as an OBJ model: parsed, and what parses goes on as the game takes a model
// (tangent frames, then the weld into 16-bit indices). Nothing may crash or read out of
// bounds; a parsed model's indices must all name a welded vertex.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "scene/ObjLoader.h"
#include "scene/VertexIndexer.h"

using namespace zarnhold;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    if (file == nullptr) return 0;
    std::vector<Triangle> triangles;
    // The parser prints its line for a bad file; the fuzzer's output stays readable.
    std::FILE* quiet = std::freopen("/dev/null", "w", stdout);
    const bool parsed = parseObj(file, triangles);
    std::fclose(file);
    if (!parsed || triangles.empty()) return 0;

    std::vector<glm::vec3> positions, normals, tangents, bitangents;
    std::vector<glm::vec2> uvs;
    for (const Triangle& t : triangles) {
        for (int corner = 0; corner < 3; ++corner) {
            positions.push_back(t.positions[corner]);
            uvs.push_back(t.uvs[corner]);
            normals.push_back(t.normals[corner]);
        }
    }
    computeTangents(positions, uvs, normals, tangents, bitangents);
    std::vector<std::uint16_t> indices;
    std::vector<glm::vec3> weldedPositions, weldedNormals, weldedTangents, weldedBitangents;
    std::vector<glm::vec2> weldedUvs;
    if (weldVertices(positions, uvs, normals, tangents, bitangents, indices, weldedPositions, weldedUvs,
                     weldedNormals, weldedTangents, weldedBitangents)) {
        for (std::uint16_t index : indices) {
            if (index >= weldedPositions.size()) std::abort();
        }
    }
    (void)quiet;
    return 0;
}
