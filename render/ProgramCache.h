#pragma once

#include <map>
#include <string>

namespace zarnhold {

// Linked shader programs, one for each set of shader files and defines, kept until
// releaseAll (the render world's at each run's end): every draw that uses the same shaders
// uses the one program, linked once rather than once per object. A draw through a shared
// program sets every uniform it reads, since another draw may have left other values there.
class ProgramCache {
public:
    ProgramCache() = default;
    ProgramCache(const ProgramCache&) = delete;
    ProgramCache& operator=(const ProgramCache&) = delete;

    // The program of these files (no geometry stage when `geometryPath` is empty), with
    // `defines` (lines such as "#define SOFT 1\n") after each stage's #version line: linked
    // at the first request, the same name at every later one. A program that fails to link
    // is kept too (its log printed once). GL context current.
    unsigned int program(const std::string& vertexPath, const std::string& fragmentPath,
                         const std::string& geometryPath = std::string(),
                         const std::string& defines = std::string());

    // Programs linked so far.
    std::size_t size() const { return programs.size(); }
    // Deletes every program (a test's cache, before its context goes). GL context current.
    void releaseAll();

private:
    std::map<std::string, unsigned int> programs;
};

}  // namespace zarnhold
