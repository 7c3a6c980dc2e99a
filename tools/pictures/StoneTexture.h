#pragma once

#include "tools/pictures/Image.h"

namespace zarnhold_assets {

// The level's stone: courses of dressed blocks of uneven length with sunken mortar,
// grain, chipped arrises and worn, stained faces. 1024 x 1024 and seamless, so it can
// repeat every two units across floors and walls; four courses per repeat.
struct StoneTexture {
    Image colour;
    Image normals;
};

StoneTexture paintStoneTexture();

}  // namespace zarnhold_assets
