#pragma once

#include <string>

#include "scene/RoomGraph.h"
#include "tools/level/LevelLayout.h"

namespace zarnhold_assets {

// The game's own types and tables, which the generator builds around.
using namespace zarnhold;

// What the game needs to skip drawing rooms it cannot see: every room as a box, and every
// opening between two rooms (a doorway, a corridor's open end, a hole in a floor) as a
// rectangle. All in the physics frame, like the level model.
RoomGraph findRooms(const LevelLayout& layout);

// The text the game reads: "room" lines (low and high corner), then "portal" lines (the
// two room numbers, counted from 0, and four corners). Four decimals, so output is stable.
std::string encodeRoomFile(const RoomGraph& graph);

bool writeRoomFile(const std::string& path, const RoomGraph& graph);

}  // namespace zarnhold_assets
