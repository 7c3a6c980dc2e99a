#include "app/CommandLine.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace zarnhold {

namespace {

constexpr double smallestScale = 0.25;
constexpr double highestTargetFps = 1000.0;

// The whole of `text` as a finite number, or false.
bool readNumber(const std::string& text, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text.c_str(), &end);
    return errno == 0 && end == text.c_str() + text.size() && std::isfinite(value);
}

}  // namespace

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    ParsedCommandLine parsed;
    GameOptions& options = parsed.options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string name = arguments[i];
        std::string value;
        bool hasValue = false;
        const std::size_t equals = name.find('=');
        if (name.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
            hasValue = true;
        }
        if (name == "--help" || name == "-h" || name == "--mute" || name == "--fullscreen" ||
            name == "--no-pause-on-focus-loss") {
            if (hasValue) return {options, "option '" + name + "' takes no value"};
            if (name == "--no-pause-on-focus-loss") {
                options.pauseOnFocusLoss = false;
                options.settingsGiven.insert("pause_on_focus_loss");
            } else {
                (name == "--mute"         ? options.mute
                 : name == "--fullscreen" ? options.fullscreen
                                          : options.help) = true;
            }
            continue;
        }
        if (name != "--scale" && name != "--target-fps" && name != "--clock-file" && name != "--volume" &&
            name != "--record" && name != "--replay" && name != "--timedemo" && name != "--vsync" &&
            name != "--sensitivity" && name != "--invert-look" && name != "--fov") {
            return {options, "unknown argument '" + arguments[i] + "'"};
        }
        if (!hasValue) {
            if (i + 1 >= arguments.size()) return {options, "option '" + name + "' needs a value"};
            value = arguments[++i];
        }
        double number = 0.0;
        if (name == "--scale") {
            if (!readNumber(value, number) || number < smallestScale || number > 1.0) {
                return {options, "--scale takes a number from 0.25 to 1, not '" + value + "'"};
            }
            options.fixedScale = static_cast<float>(number);
        } else if (name == "--target-fps") {
            if (!readNumber(value, number) || number < 1.0 || number > highestTargetFps) {
                return {options, "--target-fps takes a number from 1 to 1000, not '" + value + "'"};
            }
            options.targetFps = number;
        } else if (name == "--volume") {
            if (!readNumber(value, number) || number < 0.0 || number > 100.0) {
                return {options, "--volume takes a number from 0 to 100, not '" + value + "'"};
            }
            options.volume = static_cast<float>(number);
            options.settingsGiven.insert("volume");
        } else if (name == "--sensitivity") {
            if (!readNumber(value, number) || number < lowestSensitivity || number > highestSensitivity) {
                return {options,
                        "--sensitivity takes radians a pixel from 0.0002 to 0.004, not '" + value + "'"};
            }
            options.sensitivity = number;
            options.settingsGiven.insert("sensitivity");
        } else if (name == "--fov") {
            if (!readNumber(value, number) || number < narrowestFieldOfView || number > widestFieldOfView) {
                return {options, "--fov takes degrees from 35 to 75, not '" + value + "'"};
            }
            options.fieldOfViewDegrees = static_cast<float>(number);
            options.settingsGiven.insert("field_of_view");
        } else if (name == "--vsync" || name == "--invert-look") {
            if (value != "on" && value != "off")
                return {options, name + " takes on or off, not '" + value + "'"};
            (name == "--vsync" ? options.vsync : options.invertLook) = value == "on";
            options.settingsGiven.insert(name == "--vsync" ? "vsync" : "invert_look");
        } else {
            if (value.empty()) return {options, name + " needs a file name"};
            if (name == "--clock-file") options.clockFile = value;
            if (name == "--record") options.recordFile = value;
            if (name == "--replay" || name == "--timedemo") {
                if (!options.replayFile.empty())
                    return {options, "give one of --replay and --timedemo, once"};
                options.replayFile = value;
                options.timedemo = name == "--timedemo";
            }
        }
    }
    // A timedemo measures frames as fast as they can be drawn.
    if (options.timedemo) options.vsync = false;
    return parsed;
}

GameOptions withSavedSettings(GameOptions options, const Settings& saved) {
    const std::set<std::string>& given = options.settingsGiven;
    const auto fromFile = [&given](const char* key) { return given.count(key) == 0; };
    if (fromFile("sensitivity")) options.sensitivity = saved.sensitivity;
    if (fromFile("invert_look")) options.invertLook = saved.invertLook;
    // A timedemo's figures compare across players: the view as wide as the command line says.
    if (fromFile("field_of_view") && !options.timedemo) options.fieldOfViewDegrees = saved.fieldOfViewDegrees;
    if (fromFile("volume")) options.volume = saved.volume;
    if (fromFile("vsync")) options.vsync = saved.vsync;
    if (fromFile("pause_on_focus_loss")) options.pauseOnFocusLoss = saved.pauseOnFocusLoss;
    if (options.timedemo) options.vsync = false;
    options.savedSettings = saved;
    return options;
}

std::string usageText() {
    return "Usage: zarnhold [--scale S] [--target-fps N] [--mute] [--volume N] [--clock-file FILE]\n"
           "                [--record FILE] [--replay FILE | --timedemo FILE] [--vsync on|off]\n"
           "                [--sensitivity X] [--invert-look on|off] [--fov DEG]\n"
           "                [--no-pause-on-focus-loss] [--fullscreen] [--help]\n"
           "  --scale S         draw the scene at S (0.25 to 1) of the window's size each way;\n"
           "                    1 is always full size (default: chosen each frame to hold the\n"
           "                    target frame rate, between 0.35 and 1)\n"
           "  --target-fps N    the frame rate the automatic scale holds (default 30)\n"
           "  --mute            play in silence\n"
           "  --volume N        the master sound level, 0 to 100 (default 100)\n"
           "  --clock-file FILE write to FILE the seconds the run's world has advanced, the\n"
           "                    state (intro, playing, paused, game-over, won) and the eye's\n"
           "                    place, as the state changes and each tenth of a second of\n"
           "                    game time, for scripts\n"
           "  --record FILE     write each run's seed and every tick's input to FILE as it ends\n"
           "  --replay FILE     play a recorded run instead of the live input (Escape still\n"
           "                    quits); its end prints the outcome, the game time and the\n"
           "                    world's checksum\n"
           "  --timedemo FILE   replay as fast as frames can be drawn, 30 ms of game time a\n"
           "                    frame, then print the frame rate and frame times and quit\n"
           "  --vsync on|off    wait for the display between frames (default on)\n"
           "  --sensitivity X   radians the view turns for each pixel the mouse moves,\n"
           "                    0.0002 to 0.004 (default 0.001)\n"
           "  --invert-look on|off\n"
           "                    moving the mouse forward looks down (default off)\n"
           "  --fov DEG         the view's vertical field of view, 35 to 75 degrees (default 45)\n"
           "  --no-pause-on-focus-loss\n"
           "                    play on while the window does not have the keyboard focus\n"
           "  --fullscreen      start filling the screen (F11 or Alt+Enter toggles it)\n"
           "  --help            print this and exit\n"
           "The volume, vsync, look and pause settings stand over those the game keeps in\n"
           "$XDG_CONFIG_HOME/zarnhold/settings.ini (or ~/.config/zarnhold/settings.ini),\n"
           "which F2's options change; given here, they are not written back to it.\n"
           "Run it from the folder that holds the shaders and External/.\n";
}

}  // namespace zarnhold
