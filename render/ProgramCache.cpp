#include "render/ProgramCache.h"

#include <GL/glew.h>

#include "scene/ShaderLoader.h"

namespace zarnhold {

unsigned int ProgramCache::program(const std::string& vertexPath, const std::string& fragmentPath,
                                   const std::string& geometryPath, const std::string& defines) {
    // A path never holds a newline, so the joined key names one set of files and defines.
    const std::string key = vertexPath + "\n" + fragmentPath + "\n" + geometryPath + "\n" + defines;
    const auto found = programs.find(key);
    if (found != programs.end()) return found->second;
    // Lives as long as the game: recorded in no run's ledger.
    const unsigned int linked = buildShaderProgram(vertexPath, fragmentPath, geometryPath, defines, nullptr);
    programs.emplace(key, linked);
    return linked;
}

void ProgramCache::releaseAll() {
    for (const auto& entry : programs) glDeleteProgram(entry.second);
    programs.clear();
}

}  // namespace zarnhold
