#pragma once

#include <string>

namespace zarnhold {

class GlLedger;

// Loads a bitmap file (a game path such as "External\Models\shield.bmp") into a new
// mipmapped GL_TEXTURE_2D, left bound to the active unit, and returns its name; 0, with
// a printed line, when the file cannot be opened or decoded. The texture is recorded in
// `ledger` when there is one. Needs a current GL context.
unsigned int readBmpTexture(const char* path, GlLedger* ledger);
unsigned int readBmpTexture(const std::string& path, GlLedger* ledger);

}  // namespace zarnhold
