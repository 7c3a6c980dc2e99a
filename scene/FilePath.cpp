#include "scene/FilePath.h"

#include <algorithm>

namespace zarnhold {

std::string localPath(const std::string& gamePath) {
    std::string path = gamePath;
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::FILE* openGameFile(const std::string& gamePath, const char* mode) {
    return std::fopen(localPath(gamePath).c_str(), mode);
}

bool readGameFile(const std::string& gamePath, std::vector<unsigned char>& bytes) {
    std::FILE* file = openGameFile(gamePath, "rb");
    if (file == nullptr) return false;
    unsigned char chunk[65536];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    std::fclose(file);
    return true;
}

}  // namespace zarnhold
