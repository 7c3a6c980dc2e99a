#include "app/DataFolder.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace zarnhold {

namespace fs = std::filesystem;

std::optional<std::string> dataFolder(const std::string& workingDir, const std::string& programPath,
                                      const std::function<bool(const std::string&)>& holdsData) {
    if (holdsData(workingDir)) return workingDir;
    const std::string programFolder = fs::path(programPath).parent_path().string();
    if (!programFolder.empty() && holdsData(programFolder)) return programFolder;
    return std::nullopt;
}

std::string pathFrom(const std::string& workingDir, const std::string& path) {
    if (path.empty() || fs::path(path).is_absolute()) return path;
    return (fs::path(workingDir) / path).lexically_normal().string();
}

GameOptions withPathsFrom(const std::string& workingDir, GameOptions options) {
    options.clockFile = pathFrom(workingDir, options.clockFile);
    options.recordFile = pathFrom(workingDir, options.recordFile);
    options.replayFile = pathFrom(workingDir, options.replayFile);
    return options;
}

GameOptions runFromDataFolder(const GameOptions& options) {
    std::error_code error;
    const std::string workingDir = fs::current_path(error).string();
    if (error) return options;
    // Linux names the running program here; elsewhere the working directory must do.
    const std::string programPath = fs::read_symlink("/proc/self/exe", error).string();
    const auto holdsData = [](const std::string& folder) {
        std::error_code missing;
        return fs::is_directory(fs::path(folder) / kDataMarker, missing);
    };
    const std::optional<std::string> folder = dataFolder(workingDir, programPath, holdsData);
    if (!folder) {
        std::printf("No game data (%s) in %s or beside the program in %s\n", kDataMarker, workingDir.c_str(),
                    fs::path(programPath).parent_path().c_str());
    } else if (*folder != workingDir) {
        fs::current_path(*folder, error);
    }
    return withPathsFrom(workingDir, options);
}

}  // namespace zarnhold
