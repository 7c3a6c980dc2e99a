#pragma once

namespace zarnhold {

// Holds the console window open until the player presses Enter, so a message stays
// readable. Without a terminal on standard input (tests, CI) it returns at once.
void consolePause();

}  // namespace zarnhold
