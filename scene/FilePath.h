#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace zarnhold {

// The game names its files with backslashes ("External\Models\Screen.obj"). This is the
// one place where such a name becomes the local form: every file the game reads is
// opened through these two functions.
std::string localPath(const std::string& gamePath);

// fopen on the local form of `gamePath`; nullptr when it cannot be opened.
std::FILE* openGameFile(const std::string& gamePath, const char* mode);
// Appends the whole file to `bytes`; false when it cannot be opened.
bool readGameFile(const std::string& gamePath, std::vector<unsigned char>& bytes);

}  // namespace zarnhold
