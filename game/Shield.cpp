#include "game/Shield.h"

#include "render/HeldDraw.h"
#include "scene/BmpTexture.h"
#include "scene/CornerBuffers.h"
#include "scene/ObjLoader.h"

namespace zarnhold {

void Shield::load(GlLedger* ledger, unsigned int program) {
    readObjModel(*this, "External\\Models\\shield.obj");
    shieldTexture = readBmpTexture("External\\Models\\shield.bmp", ledger);
    corners = makeCornerArrays(*this, ledger);
    shieldProgram = program;
}

void Shield::draw(const glm::mat4& view, const glm::mat4& projection, const glm::vec3& lampPosition) const {
    drawHeldByLamp({shieldProgram, shieldTexture, &corners}, modelMatrix, view, projection, lampPosition);
}

}  // namespace zarnhold
