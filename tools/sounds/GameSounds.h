#pragma once

#include <string>
#include <vector>

#include "tools/sounds/Synth.h"

namespace zarnhold_assets {

// Not the game's GameSound (audio/), which the unit tests link beside this one.
// One of the game's sounds, at kSampleRate samples a second.
struct GameSound {
    std::string name;    // its file name in External/Models/Sounds/
    bool loops = false;  // played over and over: its last sample runs into its first
    Samples samples;
};

// Every sound the game plays, synthesised from fixed seeds: the same samples every call.
// Loops: ambient (the dungeon's bed), crystalhum (a light crystal), goalchime (the goal
// crystal). One-shots start and end in silence: step1, step2, jump, land, landhard,
// swish, swordhit, pickup, growl, grunt, playerhit, shieldthud, deathcry, gameover, won.
std::vector<GameSound> synthesiseGameSounds();

// Writes every sound as a 16-bit mono WAV file into `soundsDir`; false when one of them
// cannot be written.
bool writeGameSounds(const std::string& soundsDir);

}  // namespace zarnhold_assets
