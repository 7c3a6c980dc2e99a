#include "app/SettingsFile.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace zarnhold {

namespace {

constexpr int settingsVersion = 1;

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    const std::size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool readNumber(const std::string& text, double low, double high, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const double number = std::strtod(text.c_str(), &end);
    if (errno != 0 || end != text.c_str() + text.size() || !std::isfinite(number)) return false;
    if (number < low || number > high) return false;
    value = number;
    return true;
}

bool readSwitch(const std::string& text, bool& value) {
    if (text != "on" && text != "off") return false;
    value = text == "on";
    return true;
}

// The shortest plain decimal (no exponent) that reads back to the same double.
std::string shortest(double value) {
    char text[32];
    for (int digits = 1; digits <= 17; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, value);
        if (std::strchr(text, 'e') == nullptr && std::strtod(text, nullptr) == value) break;
    }
    return text;
}

const char* switchText(bool on) {
    return on ? "on" : "off";
}

// Sets the setting `key` from `value`; false for an unknown key or a bad value (the
// setting keeps its default).
bool readSetting(Settings& settings, const std::string& key, const std::string& value) {
    double number = 0.0;
    if (key == "sensitivity") {
        if (!readNumber(value, lowestSensitivity, highestSensitivity, number)) return false;
        settings.sensitivity = number;
    } else if (key == "field_of_view") {
        if (!readNumber(value, narrowestFieldOfView, widestFieldOfView, number)) return false;
        settings.fieldOfViewDegrees = static_cast<float>(number);
    } else if (key == "volume") {
        if (!readNumber(value, 0.0, 100.0, number)) return false;
        settings.volume = static_cast<float>(number);
    } else if (key == "invert_look") {
        return readSwitch(value, settings.invertLook);
    } else if (key == "vsync") {
        return readSwitch(value, settings.vsync);
    } else if (key == "pause_on_focus_loss") {
        return readSwitch(value, settings.pauseOnFocusLoss);
    } else {
        return false;
    }
    return true;
}

// Keeps the first problem and counts the rest.
struct Problems {
    std::string first;
    int more = 0;
    void add(const std::string& problem) {
        if (first.empty()) {
            first = problem;
        } else {
            ++more;
        }
    }
    std::string text() const {
        if (more == 0) return first;
        return first + " (and " + std::to_string(more) + " more)";
    }
};

}  // namespace

bool operator==(const Settings& a, const Settings& b) {
    return a.sensitivity == b.sensitivity && a.invertLook == b.invertLook &&
           a.fieldOfViewDegrees == b.fieldOfViewDegrees && a.volume == b.volume && a.vsync == b.vsync &&
           a.pauseOnFocusLoss == b.pauseOnFocusLoss;
}

SettingsText readSettingsText(const std::string& text) {
    SettingsText read;
    Problems problems;
    bool versionSeen = false;
    std::size_t start = 0;
    for (int lineNumber = 1; start < text.size(); ++lineNumber) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            problems.add("line " + std::to_string(lineNumber) + " is cut short");
            break;
        }
        const std::string line = trimmed(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == '#') continue;
        const std::size_t equals = line.find('=');
        const std::string key = trimmed(line.substr(0, equals));
        const std::string value = equals == std::string::npos ? "" : trimmed(line.substr(equals + 1));
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        if (equals == std::string::npos) {
            problems.add(where + "not a 'key = value' line");
        } else if (key == "version") {
            if (value != std::to_string(settingsVersion)) {
                // A later game may mean something else by the same keys.
                return {Settings{}, where + "version '" + value + "' is not one this game reads"};
            }
            versionSeen = true;
        } else if (!readSetting(read.settings, key, value)) {
            problems.add(where + "bad setting '" + line + "'");
        }
    }
    if (!versionSeen && !text.empty()) problems.add("no version line");
    read.problem = problems.text();
    return read;
}

std::string writeSettingsText(const Settings& settings) {
    std::ostringstream text;
    text << "# Zarnhold's settings, written by the game when one changes in its options (F2).\n"
         << "version = " << settingsVersion << "\n"
         << "sensitivity = " << shortest(settings.sensitivity) << "\n"
         << "invert_look = " << switchText(settings.invertLook) << "\n"
         << "field_of_view = " << shortest(settings.fieldOfViewDegrees) << "\n"
         << "volume = " << shortest(settings.volume) << "\n"
         << "vsync = " << switchText(settings.vsync) << "\n"
         << "pause_on_focus_loss = " << switchText(settings.pauseOnFocusLoss) << "\n";
    return text.str();
}

std::string settingsPath(const char* xdgConfigHome, const char* home) {
    // The base-directory convention ignores a relative XDG_CONFIG_HOME.
    if (xdgConfigHome != nullptr && xdgConfigHome[0] == '/') {
        return std::string(xdgConfigHome) + "/zarnhold/settings.ini";
    }
    if (home != nullptr && home[0] != '\0') return std::string(home) + "/.config/zarnhold/settings.ini";
    return "";
}

SettingsLoad loadSettingsFile(const std::string& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) return {};
    const std::string unreadable = "The settings file could not be read: " + path + "; the defaults are used";
    if (error || status.type() != std::filesystem::file_type::regular) return {Settings{}, unreadable};
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    if (!file || !(text << file.rdbuf())) {
        // An empty file gives the stream nothing to copy; it is not an unreadable one.
        if (file.is_open() && std::filesystem::file_size(path, error) == 0 && !error) {
            return {Settings{}, "The settings file " + path + " is empty; the defaults are used"};
        }
        return {Settings{}, unreadable};
    }
    const SettingsText read = readSettingsText(text.str());
    if (read.problem.empty()) return {read.settings, ""};
    return {read.settings, "The settings file " + path + ": " + read.problem +
                               "; the defaults are used for what it could not give"};
}

bool saveSettingsFile(const std::string& path, const Settings& settings) {
    const std::filesystem::path target(path);
    std::error_code error;
    std::filesystem::create_directories(target.parent_path(), error);
    if (error) return false;
    const std::string temporary = path + ".partial";
    const int descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (descriptor < 0) return false;
    const std::string text = writeSettingsText(settings);
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(descriptor, text.data() + written, text.size() - written);
        if (n <= 0) break;
        written += static_cast<std::size_t>(n);
    }
    // The rename may reach the disk before the text does; flushed first, a crash leaves
    // either the old file or the whole new one.
    const bool whole = written == text.size() && ::fsync(descriptor) == 0;
    const bool closed = ::close(descriptor) == 0;
    if (!whole || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace zarnhold
