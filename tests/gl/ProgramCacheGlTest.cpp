// The program cache against a real GL context: each set of files and defines is linked
// once, and the defines reach the stages after their #version line.
#include <string>

#include <GL/glew.h>
#include <gtest/gtest.h>

#include "render/ProgramCache.h"
#include "scene/ShaderLoader.h"
#include "tests/gl/TestFiles.h"

using namespace zarnhold;

TEST(ProgramCacheGl, LinksEachSetOfFilesAndDefinesOnceAndTheDefinesReachTheStages) {
    const std::string vertex = writeTestShader(
        "cache.vert", "#version 150 core\nin vec3 p;\nvoid main() { gl_Position = vec4(p, 1.0); }\n");
    const std::string fragment =
        writeTestShader("cache.frag",
                        "#version 150 core\nout vec4 c;\n#ifdef TINTED\nuniform vec4 tint;\n"
                        "void main() { c = tint; }\n#else\n"
                        "void main() { c = vec4(1.0); }\n#endif\n");
    ProgramCache cache;
    testing::internal::CaptureStdout();
    const int linksBefore = shaderProgramLinks();
    const GLuint plain = cache.program(vertex, fragment);
    const GLuint tinted = cache.program(vertex, fragment, "", "#define TINTED\n");
    EXPECT_EQ(cache.program(vertex, fragment), plain);
    EXPECT_EQ(cache.program(vertex, fragment, "", "#define TINTED\n"), tinted);
    EXPECT_EQ(shaderProgramLinks() - linksBefore, 2);
    testing::internal::GetCapturedStdout();

    EXPECT_NE(plain, tinted);
    for (const GLuint program : {plain, tinted}) {
        GLint linked = GL_FALSE;
        glGetProgramiv(program, GL_LINK_STATUS, &linked);
        EXPECT_EQ(linked, GL_TRUE) << "a define before #version fails to compile";
    }
    EXPECT_EQ(glGetUniformLocation(plain, "tint"), -1);
    EXPECT_NE(glGetUniformLocation(tinted, "tint"), -1);
    cache.releaseAll();
    EXPECT_EQ(glIsProgram(tinted), GL_FALSE);
    EXPECT_EQ(cache.size(), 0u);
}
