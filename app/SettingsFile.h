#pragma once

#include <string>

namespace zarnhold {

// The settings that stay from one game to the next, with their defaults.
struct Settings {
    // Radians the view turns for each pixel the mouse moves.
    double sensitivity = 0.001;
    // Moving the mouse forward looks down.
    bool invertLook = false;
    // The view's vertical field of view.
    float fieldOfViewDegrees = 45.0f;
    // The master sound level, 0 (silent) to 100 (as made).
    float volume = 100.0f;
    // Waits for the display between frames.
    bool vsync = true;
    // The game pauses while its window does not have the keyboard focus.
    bool pauseOnFocusLoss = true;
};

bool operator==(const Settings& a, const Settings& b);

// The ranges a setting may take; a value outside them is refused.
constexpr double lowestSensitivity = 0.0002;
constexpr double highestSensitivity = 0.004;
constexpr float narrowestFieldOfView = 35.0f;
constexpr float widestFieldOfView = 75.0f;

// The settings the text gives, every value it lacks or gives badly at its default, and
// `problem`: empty when the text is whole and good, else what was wrong first (with how
// many more), for one line.
struct SettingsText {
    Settings settings;
    std::string problem;
};

// The file's text: a version line ("version = 1") and "key = value" lines; blank lines and
// lines starting with '#' are skipped. A last line without its newline was cut short by a
// write that did not finish, and is not read. A later version's file gives the defaults.
SettingsText readSettingsText(const std::string& text);
// The text readSettingsText reads back to `settings`.
std::string writeSettingsText(const Settings& settings);

// Where the settings live: $XDG_CONFIG_HOME/zarnhold/settings.ini, or
// $HOME/.config/zarnhold/settings.ini when XDG_CONFIG_HOME is unset, empty or not an
// absolute path; empty when neither gives a place. Pass the variables (null when unset).
std::string settingsPath(const char* xdgConfigHome, const char* home);

// The settings in the file at `path`, and `line`: empty when the file is good or missing
// (defaults, silently), else one line naming the file and saying the defaults are used
// for what it could not give. Never changes the file.
struct SettingsLoad {
    Settings settings;
    std::string line;
};
SettingsLoad loadSettingsFile(const std::string& path);

// Writes `settings` to a temporary file beside `path` (making the folder if missing),
// flushed to the disk, then renamed over `path`, so the file is always whole. False when
// any step fails; the old file is then as it was.
bool saveSettingsFile(const std::string& path, const Settings& settings);

}  // namespace zarnhold
