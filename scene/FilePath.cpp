#include "scene/FilePath.h"

#include <algorithm>

std::string localPath(const std::string& gamePath) {
    std::string path = gamePath;
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::FILE* openGameFile(const std::string& gamePath, const char* mode) {
    return std::fopen(localPath(gamePath).c_str(), mode);
}
