#include "tools/meshes/ObjWriter.h"

#include <cstdio>
#include <fstream>
#include <unordered_map>

namespace zarnhold_assets {

namespace {

// Gives each distinct line of text a 1-based number, in order of first use, and keeps
// the lines in that order.
class IndexedLines {
public:
    int indexOf(const std::string& line) {
        const auto found = numbers.find(line);
        if (found != numbers.end()) {
            return found->second;
        }
        text += line;
        const int number = static_cast<int>(numbers.size()) + 1;
        numbers.emplace(line, number);
        return number;
    }
    const std::string& lines() const { return text; }

private:
    std::unordered_map<std::string, int> numbers;
    std::string text;
};

// Four decimals, with -0.0000 written as 0.0000 so equal values share one line.
std::string number(float value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.4f", static_cast<double>(value));
    if (std::string(buffer) == "-0.0000") {
        return "0.0000";
    }
    return buffer;
}

}  // namespace

std::string encodeObj(const Mesh& mesh, const std::string& comment) {
    IndexedLines positions, uvs, normals;
    std::string faces;
    for (const MeshTriangle& t : mesh.triangles()) {
        const int n = normals.indexOf("vn " + number(t.normal.x) + " " + number(t.normal.y) + " " +
                                      number(t.normal.z) + "\n");
        faces += "f";
        for (const Corner& c : t.corners) {
            const int p = positions.indexOf("v " + number(c.position.x) + " " + number(c.position.y) + " " +
                                            number(c.position.z) + "\n");
            const int uv = uvs.indexOf("vt " + number(c.uv.x) + " " + number(c.uv.y) + "\n");
            faces += " " + std::to_string(p) + "/" + std::to_string(uv) + "/" + std::to_string(n);
        }
        faces += "\n";
    }
    return "# " + comment + "\n# " + std::to_string(mesh.triangleCount()) + " triangles\n" +
           positions.lines() + uvs.lines() + normals.lines() + faces;
}

bool writeObj(const std::string& path, const Mesh& mesh, const std::string& comment) {
    const std::string text = encodeObj(mesh, comment);
    std::ofstream file(path, std::ios::binary);
    file << text;
    return static_cast<bool>(file);
}

}  // namespace zarnhold_assets
