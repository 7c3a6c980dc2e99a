#include "scene/GlLedger.h"

#include <GL/glew.h>

namespace zarnhold {

GlLedger::~GlLedger() = default;

void GlLedger::record(Kind kind, unsigned int name) {
    if (name != 0) entries.push_back({kind, name});
}

void GlLedger::recordIn(GlLedger* ledger, Kind kind, unsigned int name) {
    if (ledger != nullptr) ledger->record(kind, name);
}

void GlLedger::releaseAll() {
    for (const Entry& entry : entries) {
        GLuint name = entry.name;
        switch (entry.kind) {
            case Kind::Buffer: glDeleteBuffers(1, &name); break;
            case Kind::Texture: glDeleteTextures(1, &name); break;
            case Kind::Program: glDeleteProgram(name); break;
            case Kind::Framebuffer: glDeleteFramebuffers(1, &name); break;
            case Kind::VertexArray: glDeleteVertexArrays(1, &name); break;
        }
    }
    entries.clear();
}

}  // namespace zarnhold
