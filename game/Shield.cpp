#include "game/Shield.h"

#include "render/HeldDraw.h"
#include "scene/BmpTexture.h"
#include "scene/CornerBuffers.h"
#include "scene/ObjLoader.h"
#include "scene/ShaderLoader.h"

void Shield::load(GlLedger* ledger) {
    readObjModel(*this, "External\\Models\\shield.obj");
    shieldTexture = readBmpTexture("External\\Models\\shield.bmp", ledger);
    corners = makeCornerArrays(*this, ledger);
    shieldProgram = buildShaderProgram("exampleVertexShader.vert", "exampleFragmentShader.frag", ledger);
}

void Shield::draw(const glm::mat4& view, const glm::mat4& projection, const glm::vec3& lampPosition) const {
    drawHeldByLamp({shieldProgram, shieldTexture, &corners}, modelMatrix, view, projection, lampPosition);
}
