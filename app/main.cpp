#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/Console.h"
#include "app/DataFolder.h"
#include "app/Game.h"
#include "app/RecordingFile.h"
#include "app/SettingsFile.h"

using namespace zarnhold;

int main(int argc, char** argv) {
    // Diagnostics go out line by line, so a watching console (or test) sees them at once.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const ParsedCommandLine parsed = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "zarnhold: %s\n%s", parsed.error.c_str(), usageText().c_str());
        return 2;
    }
    if (parsed.options.help) {
        std::printf("%s", usageText().c_str());
        return 0;
    }
    // The settings file is read once the command line is known good, so that a bad
    // argument says only what is wrong with it.
    const std::string settingsFile = settingsPath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    SettingsLoad saved;
    if (!settingsFile.empty()) saved = loadSettingsFile(settingsFile);
    if (!saved.line.empty()) std::printf("%s\n", saved.line.c_str());
    GameOptions withSettings = withSavedSettings(parsed.options, saved.settings);
    withSettings.settingsFile = settingsFile;
    // Files named on the command line stay those of the folder the game was started in.
    const GameOptions options = runFromDataFolder(withSettings);
    // A recording that cannot be played stops the game before any window opens.
    RecordingRead replay;
    if (!options.replayFile.empty()) {
        replay = readRecordingFile(options.replayFile);
        if (!replay.error.empty()) {
            std::fprintf(stderr, "zarnhold: %s: %s\n", parsed.options.replayFile.c_str(),
                         replay.error.c_str());
            return 2;
        }
    }
    Game* game = new Game(options);
    if (!options.replayFile.empty()) game->startReplay(replay.recording);
    game->run();
    delete game;
    std::fflush(stdout);
    consolePause();
    return 0;
}
