#include "scene/GlLedger.h"

#include <GL/glew.h>

namespace {
GlLedger* activeLedger = nullptr;
}

GlLedger::~GlLedger() {
    deactivate();
}

GlLedger* GlLedger::activate() {
    GlLedger* previous = activeLedger;
    activeLedger = this;
    return previous;
}

void GlLedger::deactivate() {
    if (activeLedger == this) {
        activeLedger = nullptr;
    }
}

GlLedger* GlLedger::active() {
    return activeLedger;
}

void GlLedger::record(Kind kind, unsigned int name) {
    if (activeLedger != nullptr && name != 0) {
        activeLedger->entries.push_back({kind, name});
    }
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
