#pragma once

#include <functional>
#include <optional>
#include <string>

#include "app/CommandLine.h"

namespace zarnhold {

// The folder inside a game folder whose presence says the game's data is there: the
// loaders open every file relative to the working directory.
inline constexpr const char* kDataMarker = "External/Models";

// The folder the game runs from when started in `workingDir` as the program at
// `programPath`: the working directory when it holds the data (the launcher, or a player,
// chose it), else the program's own folder when that does (a build's program started from
// elsewhere). None when neither does.
std::optional<std::string> dataFolder(const std::string& workingDir, const std::string& programPath,
                                      const std::function<bool(const std::string&)>& holdsData);

// `path` as named from `workingDir`; an absolute or empty path stays as it is.
std::string pathFrom(const std::string& workingDir, const std::string& path);

// The options with the files they name made absolute from `workingDir`, so that they name
// the same files once the game runs from its data folder.
GameOptions withPathsFrom(const std::string& workingDir, GameOptions options);

// Makes the options' files absolute and changes to the data folder; says so in one line
// when no folder holds the data (the game then stays, and the loaders name what they miss).
GameOptions runFromDataFolder(const GameOptions& options);

}  // namespace zarnhold
