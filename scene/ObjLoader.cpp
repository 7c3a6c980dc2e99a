#include "scene/ObjLoader.h"

#include <cstring>

#include "scene/FilePath.h"
#include "scene/Object3D.h"

namespace zarnhold {

namespace {

// One face as the file gives it: 1-based indices per corner.
struct ObjFace {
    int position[3];
    int uv[3];
    int normal[3];
};

void reportUnreadable() {
    std::printf("File can't be read by our simple parser : ( Try exporting with other options\n");
}

// Reads the next whitespace-delimited word into `word` (at most 127 characters). The
// rest of a longer word is skipped, so it can never be taken for a keyword.
bool readWord(std::FILE* file, char (&word)[128]) {
    if (std::fscanf(file, "%127s", word) != 1) {
        return false;
    }
    if (std::strlen(word) == 127) {
        [[maybe_unused]] const int skipped = std::fscanf(file, "%*[^ \t\n\v\f\r]");
    }
    return true;
}

template <typename T>
bool validIndex(int index, const std::vector<T>& list) {
    return index >= 1 && static_cast<std::size_t>(index) <= list.size();
}

}  // namespace

bool parseObj(std::FILE* file, std::vector<Triangle>& out) {
    std::vector<glm::vec3> positions;
    std::vector<glm::vec2> uvs;
    std::vector<glm::vec3> normals;
    std::vector<ObjFace> faces;

    char word[128] = {};
    while (readWord(file, word)) {
        // A value that fails to convert stays 0; the counts of "v", "vt", "vn" are not used.
        if (std::strcmp(word, "v") == 0) {
            glm::vec3 p(0.0f);
            [[maybe_unused]] const int n = std::fscanf(file, "%f %f %f\n", &p.x, &p.y, &p.z);
            positions.push_back(p);
        } else if (std::strcmp(word, "vt") == 0) {
            glm::vec2 uv(0.0f);
            [[maybe_unused]] const int n = std::fscanf(file, "%f %f\n", &uv.x, &uv.y);
            uvs.push_back(uv);
        } else if (std::strcmp(word, "vn") == 0) {
            glm::vec3 normal(0.0f);
            [[maybe_unused]] const int n = std::fscanf(file, "%f %f %f\n", &normal.x, &normal.y, &normal.z);
            normals.push_back(normal);
        } else if (std::strcmp(word, "f") == 0) {
            ObjFace face{};
            const int converted =
                std::fscanf(file, "%d/%d/%d %d/%d/%d %d/%d/%d\n", &face.position[0], &face.uv[0],
                            &face.normal[0], &face.position[1], &face.uv[1], &face.normal[1],
                            &face.position[2], &face.uv[2], &face.normal[2]);
            if (converted != 9) {
                reportUnreadable();
                return false;
            }
            faces.push_back(face);
        }
    }

    std::vector<Triangle> triangles;
    triangles.reserve(faces.size());
    for (const ObjFace& face : faces) {
        Triangle triangle;
        for (int k = 0; k < 3; ++k) {
            // Zero, relative (negative) and too-large indices name no entry of the lists.
            if (!validIndex(face.position[k], positions) || !validIndex(face.uv[k], uvs) ||
                !validIndex(face.normal[k], normals)) {
                reportUnreadable();
                return false;
            }
            triangle.positions[k] = positions[static_cast<std::size_t>(face.position[k]) - 1];
            triangle.uvs[k] = uvs[static_cast<std::size_t>(face.uv[k]) - 1];
            triangle.normals[k] = normals[static_cast<std::size_t>(face.normal[k]) - 1];
        }
        triangles.push_back(triangle);
    }
    out.insert(out.end(), triangles.begin(), triangles.end());
    return true;
}

bool readObjModel(Object3D& object, const std::string& path) {
    object.castsShadow = true;
    std::FILE* file = openGameFile(path, "r");
    if (file == nullptr) {
        std::printf("Impossible to open the file ! %s\n", localPath(path).c_str());
        return false;
    }
    std::vector<Triangle> triangles;
    const bool parsed = parseObj(file, triangles);
    std::fclose(file);
    if (!parsed) {
        return false;
    }
    for (const Triangle& triangle : triangles) {
        object.addTriangle(triangle);
    }
    return true;
}

}  // namespace zarnhold
