#pragma once

#include <string>

namespace zarnhold {

class GlLedger;

// The whole content of a shader's file; empty, with a printed line naming it, when it cannot
// be opened.
std::string readTextFile(const std::string& path);

// Compiles and links a vertex + fragment program from files. Prints the link log and a
// newline (an empty line after a clean link). Always returns the program name, even when
// compiling or linking failed, and records it in `ledger` when there is one. Needs a
// current GL context.
unsigned int buildShaderProgram(const std::string& vertexPath, const std::string& fragmentPath,
                                GlLedger* ledger);

// The location of uniform `name` in `program`; -1 when it has none (GL then ignores what is
// sent to it). Needs a current GL context.
int uniform(unsigned int program, const std::string& name);

// Programs linked since the process started: what a cache of programs saves shows here.
int shaderProgramLinks();

// The same with a geometry stage; the order of the parameters is vertex, fragment, geometry.
unsigned int buildShaderProgram(const std::string& vertexPath, const std::string& fragmentPath,
                                const std::string& geometryPath, GlLedger* ledger);

// The same with `defines` put into every stage's source (see withDefines); no geometry
// stage when `geometryPath` is empty.
unsigned int buildShaderProgram(const std::string& vertexPath, const std::string& fragmentPath,
                                const std::string& geometryPath, const std::string& defines,
                                GlLedger* ledger);

// `source` with `defines` after its first line when that is the #version line (which must
// come first), else before it.
std::string withDefines(const std::string& source, const std::string& defines);

}  // namespace zarnhold
