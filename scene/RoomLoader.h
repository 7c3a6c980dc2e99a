#pragma once

#include <string>

#include "scene/RoomGraph.h"

namespace zarnhold {

// The rooms file beside a level model: "room" lines with a box's low and high corner,
// "portal" lines with two room numbers (counted from 0) and an opening's four corners.
// Blank lines and lines starting with '#' are skipped, as are lines of any other word.
// Reads `text` into `graph`; false, with `graph` unchanged and `problem` saying which line
// is wrong and why, for a malformed line, a number that is not finite, a box turned inside
// out, a portal naming a room that is not there, or more rooms or portals than a level
// can hold.
bool parseRoomGraph(const std::string& text, RoomGraph& graph, std::string& problem);

// The graph in the file at the game path `path`; an empty graph, which draws the whole
// level, with a printed line when the file cannot be opened or read.
RoomGraph readRoomGraph(const std::string& path);

}  // namespace zarnhold
