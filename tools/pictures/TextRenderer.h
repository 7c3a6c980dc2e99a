#pragma once

#include <string>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "tools/pictures/Image.h"

namespace zarnhold_assets {

// Antialiased lines of text through FreeType, as coverage masks that the pictures then
// colour, shadow and make glow. One renderer holds one font face.
class TextRenderer {
public:
    // Opens `fontPath`; ok() tells whether it worked.
    explicit TextRenderer(const std::string& fontPath);
    ~TextRenderer();
    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;

    bool ok() const { return face != nullptr; }

    // One line of text at `pixelSize` (the em height in pixels), with `padding` empty
    // pixels on every side so a glow has room. `tracking` adds pixels between letters.
    // The mask is empty (0 x 0) when the font could not be opened.
    Mask renderLine(const std::string& text, int pixelSize, int padding, int tracking = 0);

private:
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

}  // namespace zarnhold_assets
