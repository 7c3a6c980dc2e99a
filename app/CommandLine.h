#pragma once

#include <string>
#include <vector>

// What the command line asks of the game.
struct GameOptions {
    // The share of the window's size, each way, that the scene is drawn at; 0 lets the
    // game choose it each frame to hold `targetFps`.
    float fixedScale = 0.0f;
    double targetFps = 30.0;
    // When set, every frame writes there the run's game clock and the state it ends in
    // (for scripts).
    std::string clockFile;
    bool help = false;
    // No sound at all, and the master level from 0 (silent) to 100 (as made).
    bool mute = false;
    float volume = 100.0f;
    // Writes the run's seed and every tick's input to this file as the run ends.
    std::string recordFile;
    // Plays this recording instead of the live input.
    std::string replayFile;
    // Replays it as fast as frames can be drawn, 30 ms of game time a frame, prints the
    // figures and quits.
    bool timedemo = false;
    // Waits for the display between frames.
    bool vsync = true;
    // Starts filling the screen.
    bool fullscreen = false;
    // A run pauses when the window loses the keyboard or is minimised.
    bool pauseOnFocusLoss = true;
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

// The usage text, ending with a newline.
std::string usageText();
