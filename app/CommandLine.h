#pragma once

#include <set>
#include <string>
#include <vector>

#include "app/SettingsFile.h"

namespace zarnhold {

// What the command line asks of the game, over the settings that stay (the settings file's,
// or the command line's where it gives them).
struct GameOptions : Settings {
    // The share of the window's size, each way, that the scene is drawn at; 0 lets the
    // game choose it each frame to hold `targetFps`.
    float fixedScale = 0.0f;
    double targetFps = 30.0;
    // When set, every frame writes there the run's game clock and the state it ends in
    // (for scripts).
    std::string clockFile;
    bool help = false;
    // No sound at all.
    bool mute = false;
    // Writes the run's seed and every tick's input to this file as the run ends.
    std::string recordFile;
    // Plays this recording instead of the live input.
    std::string replayFile;
    // Replays it as fast as frames can be drawn, 30 ms of game time a frame, prints the
    // figures and quits.
    bool timedemo = false;
    // Starts filling the screen.
    bool fullscreen = false;
    // The settings file's keys of the settings the command line gave: those stand over the
    // file's, and are not written back to it unless changed in the game.
    std::set<std::string> settingsGiven;
    // Where the game writes the settings when one changes in the game; none when empty.
    std::string settingsFile;
    // What that file holds (or will once a setting changes): the command line's settings
    // are not among them.
    Settings savedSettings;
};

// The options, or `error` (one line, without the program's name) when an argument is
// unknown, lacks its value or has a bad one.
struct ParsedCommandLine {
    GameOptions options;
    std::string error;
};

// `arguments` without the program's name. Values follow their option as the next argument
// or after '='.
ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments);

// The command line's options over the settings read from the file: each setting the
// command line gave stands, the rest are the file's. A timedemo never waits for the
// display, whatever either says, and takes its field of view from the command line only.
GameOptions withSavedSettings(GameOptions options, const Settings& saved);

// The usage text, ending with a newline.
std::string usageText();

}  // namespace zarnhold
