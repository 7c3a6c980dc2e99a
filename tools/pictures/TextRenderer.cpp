#include "tools/pictures/TextRenderer.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace zarnhold_assets {

TextRenderer::TextRenderer(const std::string& fontPath) {
    if (FT_Init_FreeType(&library) != 0) {
        library = nullptr;
        return;
    }
    if (FT_New_Face(library, fontPath.c_str(), 0, &face) != 0) {
        std::printf("Font could not be opened: %s\n", fontPath.c_str());
        face = nullptr;
    }
}

TextRenderer::~TextRenderer() {
    if (face != nullptr) {
        FT_Done_Face(face);
    }
    if (library != nullptr) {
        FT_Done_FreeType(library);
    }
}

Mask TextRenderer::renderLine(const std::string& text, int pixelSize, int padding, int tracking) {
    if (face == nullptr) {
        return Mask();
    }
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize));
    const int ascender = static_cast<int>(face->size->metrics.ascender >> 6);
    const int descender = static_cast<int>(-(face->size->metrics.descender >> 6));

    // First pass: the pen positions, so the mask can be sized to the line.
    struct Placed {
        FT_UInt glyph;
        int penX;
    };
    std::vector<Placed> placed;
    int penX = 0;
    FT_UInt previous = 0;
    const bool kerning = FT_HAS_KERNING(face);
    int right = 0;
    for (unsigned char ch : text) {
        const FT_UInt glyph = FT_Get_Char_Index(face, ch);
        if (kerning && previous != 0 && glyph != 0) {
            FT_Vector delta;
            FT_Get_Kerning(face, previous, glyph, FT_KERNING_DEFAULT, &delta);
            penX += static_cast<int>(delta.x >> 6);
        }
        if (FT_Load_Glyph(face, glyph, FT_LOAD_DEFAULT) != 0) {
            continue;
        }
        placed.push_back({glyph, penX});
        right = std::max(right, penX + static_cast<int>(face->glyph->metrics.horiBearingX >> 6) +
                                    static_cast<int>(face->glyph->metrics.width >> 6));
        penX += static_cast<int>(face->glyph->advance.x >> 6) + tracking;
        previous = glyph;
    }
    right = std::max(right, penX - tracking);

    Mask mask(right + 2 * padding + 2, ascender + descender + 2 * padding);
    const int baseline = padding + ascender;
    for (const Placed& p : placed) {
        if (FT_Load_Glyph(face, p.glyph, FT_LOAD_RENDER) != 0) {
            continue;
        }
        const FT_Bitmap& bitmap = face->glyph->bitmap;
        const int left = padding + p.penX + face->glyph->bitmap_left;
        const int top = baseline - face->glyph->bitmap_top;
        for (unsigned int row = 0; row < bitmap.rows; ++row) {
            for (unsigned int col = 0; col < bitmap.width; ++col) {
                const int x = left + static_cast<int>(col);
                const int y = top + static_cast<int>(row);
                if (x < 0 || y < 0 || x >= mask.width() || y >= mask.height()) {
                    continue;
                }
                const float coverage = bitmap.buffer[row * bitmap.pitch + col] / 255.0f;
                mask.at(x, y) = std::max(mask.at(x, y), coverage);
            }
        }
    }
    return mask;
}

}  // namespace zarnhold_assets
