#pragma once

#include "tools/meshes/Mesh.h"

namespace zarnhold_assets {

// The game's small models, each in its own model space as the game places it.

// A light crystal in its wall mount: front along +z (its light sits one unit in
// front), about 0.5 tall, the back of the mount at z = -0.1 against the wall. Texture:
// the mount on the left half of lightcrystal.bmp, the crystal on the right half.
Mesh buildLightCrystalModel();

// The goal crystal: a cluster about one unit tall around the origin, its foot towards +y
// (down in the render frame the game places it in). Every face maps onto the whole of a
// face picture (the box shader picks one of six).
Mesh buildGoalCrystalModel();

// A sword along y, blade towards -y (the tip at y = -1.2), guard at y = -0.18, grip
// around the origin, pommel at the top. Texture: blade left half of sword.bmp, gold
// fittings the third quarter, leather grip the last.
Mesh buildSwordModel();

// A round shield 3.4 across, its painted face towards -z (the holder looks along +z at
// it) and its top towards -y (up on the player's screen). A raised iron rim and a boss.
Mesh buildShieldModel();

}  // namespace zarnhold_assets
