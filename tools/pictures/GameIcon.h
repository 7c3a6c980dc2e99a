#pragma once

#include "tools/pictures/Image.h"

namespace zarnhold_assets {

// The game's icon for desktop menus: a picture and its opacity.
struct IconPicture {
    Image colour;
    Mask alpha;
};

// 128 x 128: a blue light crystal glowing on a tile of dark dressed stone with rounded
// corners (transparent outside the tile). Depends on nothing else: the same every call.
IconPicture paintGameIcon();

}  // namespace zarnhold_assets
