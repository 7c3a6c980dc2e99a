#include "scene/ShaderLoader.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include <GL/glew.h>

#include "scene/FilePath.h"
#include "scene/GlLedger.h"

namespace zarnhold {

std::string readTextFile(const std::string& path) {
    std::ifstream stream(localPath(path));
    if (!stream) {
        std::printf("Shader could not be opened: %s\n", localPath(path).c_str());
        return std::string();
    }
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

namespace {

int linksSoFar = 0;

void printLinkLog(GLuint program) {
    GLint length = 0;
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> log(length > 0 ? length : 1, '\0');
    glGetProgramInfoLog(program, length, nullptr, log.data());
    std::printf("%s\n", log.data());
}

unsigned int linkStages(const std::vector<std::pair<GLenum, std::string>>& stages, const std::string& defines,
                        GlLedger* ledger) {
    std::vector<GLuint> shaders;
    for (const auto& [stage, path] : stages) {
        shaders.push_back(glCreateShader(stage));
    }
    std::vector<std::string> sources;
    for (const auto& stage : stages) {
        sources.push_back(withDefines(readTextFile(stage.second), defines));
    }
    for (std::size_t i = 0; i < shaders.size(); ++i) {
        const char* text = sources[i].c_str();
        glShaderSource(shaders[i], 1, &text, nullptr);
        glCompileShader(shaders[i]);
    }
    GLuint program = glCreateProgram();
    GlLedger::recordIn(ledger, GlLedger::Kind::Program, program);
    for (GLuint shader : shaders) {
        glAttachShader(program, shader);
    }
    glLinkProgram(program);
    ++linksSoFar;
    printLinkLog(program);
    // The program keeps the attached shaders alive; deleting them here frees them with it.
    for (GLuint shader : shaders) {
        glDeleteShader(shader);
    }
    return program;
}

}  // namespace

unsigned int buildShaderProgram(const std::string& vertexPath, const std::string& fragmentPath,
                                GlLedger* ledger) {
    return linkStages({{GL_VERTEX_SHADER, vertexPath}, {GL_FRAGMENT_SHADER, fragmentPath}}, "", ledger);
}

unsigned int buildShaderProgram(const std::string& vertexPath, const std::string& fragmentPath,
                                const std::string& geometryPath, GlLedger* ledger) {
    return linkStages({{GL_VERTEX_SHADER, vertexPath},
                       {GL_FRAGMENT_SHADER, fragmentPath},
                       {GL_GEOMETRY_SHADER, geometryPath}},
                      "", ledger);
}

unsigned int buildShaderProgram(const std::string& vertexPath, const std::string& fragmentPath,
                                const std::string& geometryPath, const std::string& defines,
                                GlLedger* ledger) {
    std::vector<std::pair<GLenum, std::string>> stages = {{GL_VERTEX_SHADER, vertexPath},
                                                          {GL_FRAGMENT_SHADER, fragmentPath}};
    if (!geometryPath.empty()) stages.emplace_back(GL_GEOMETRY_SHADER, geometryPath);
    return linkStages(stages, defines, ledger);
}

std::string withDefines(const std::string& source, const std::string& defines) {
    if (defines.empty()) return source;
    if (source.rfind("#version", 0) != 0) return defines + source;
    const std::size_t lineEnd = source.find('\n');
    if (lineEnd == std::string::npos) return source + "\n" + defines;
    return source.substr(0, lineEnd + 1) + defines + source.substr(lineEnd + 1);
}

int shaderProgramLinks() {
    return linksSoFar;
}

int uniform(unsigned int program, const std::string& name) {
    return glGetUniformLocation(program, name.c_str());
}

}  // namespace zarnhold
