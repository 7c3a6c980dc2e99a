// The settings file: read, written and found without a window; and the options panel's
// keys as a pure rule.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

#include "app/OptionsPanel.h"
#include "app/SettingsFile.h"

using namespace zarnhold;

namespace fs = std::filesystem;

namespace {

std::string readAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void writeAll(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

Settings changedSettings() {
    Settings settings;
    settings.sensitivity = 0.0014;
    settings.invertLook = true;
    settings.fieldOfViewDegrees = 60.0f;
    settings.volume = 35.5f;
    settings.vsync = false;
    settings.pauseOnFocusLoss = false;
    return settings;
}

struct TempFolder {
    std::string path;
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "zarnhold_settings_XXXXXX").string();
        path = mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
};

}  // namespace

TEST(SettingsFile, EveryKindOfFileGivesItsGoodValuesAndOneLineAndIsLeftAsItIs) {
    Settings volume40;
    volume40.volume = 40.0f;
    Settings volume40Fov60 = volume40;
    volume40Fov60.fieldOfViewDegrees = 60.0f;
    Settings volume30;
    volume30.volume = 30.0f;
    struct Case {
        const char* name;
        // The file's text; "<missing>" for none, "<folder>" for a folder in its place.
        std::string text;
        Settings expected;
        // A piece of the one line; empty when the game should say nothing.
        std::string says;
    };
    const std::vector<Case> cases = {
        {"missing", "<missing>", Settings{}, ""},
        {"whole", writeSettingsText(changedSettings()), changedSettings(), ""},
        {"comments, spaces, Windows line ends", "# mine\r\n\r\n  version=1 \r\nvolume =  40\r\n", volume40,
         ""},
        {"damaged lines", "version = 1\nvolume = 40\ngarbage\nfield_of_view = 60\nspeed = 3\n", volume40Fov60,
         "line 3: not a 'key = value' line (and 1 more)"},
        {"cut mid-line", "version = 1\nvolume = 40\nfield_of_view = 6", volume40, "line 3 is cut short"},
        {"a later version", "version = 2\nvolume = 40\n", Settings{}, "version '2'"},
        {"out of range",
         "version = 1\nfield_of_view = 120\nvolume = 30\nsensitivity = 1\ninvert_look = yes\n", volume30,
         "line 2: bad setting 'field_of_view = 120' (and 2 more)"},
        {"no version", "volume = 40\n", volume40, "no version line"},
        {"empty", "", Settings{}, "is empty"},
        {"a folder in its place", "<folder>", Settings{}, "could not be read"},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        const std::string path = folder.path + "/settings.ini";
        fs::remove_all(path);
        if (c.text == "<folder>") {
            fs::create_directory(path);
        } else if (c.text != "<missing>") {
            writeAll(path, c.text);
        }
        const SettingsLoad load = loadSettingsFile(path);
        EXPECT_EQ(load.settings, c.expected) << c.name;
        if (c.says.empty()) {
            EXPECT_EQ(load.line, "") << c.name;
        } else {
            EXPECT_NE(load.line.find(c.says), std::string::npos) << c.name << ": " << load.line;
            EXPECT_NE(load.line.find(path), std::string::npos) << c.name << ": names the file";
            EXPECT_NE(load.line.find("defaults are used"), std::string::npos) << c.name;
            EXPECT_EQ(load.line.find('\n'), std::string::npos) << c.name << ": one line";
        }
        if (c.text == "<missing>") {
            EXPECT_FALSE(fs::exists(path)) << "reading makes no file";
        } else if (c.text != "<folder>") {
            EXPECT_EQ(readAll(path), c.text) << c.name;
        }
    }
    // Reading as root ignores permissions; elsewhere a file the player cannot read is one
    // more unreadable file.
    if (geteuid() != 0) {
        const std::string path = folder.path + "/locked.ini";
        writeAll(path, "version = 1\nvolume = 40\n");
        fs::permissions(path, fs::perms::none);
        const SettingsLoad locked = loadSettingsFile(path);
        EXPECT_EQ(locked.settings, Settings{});
        EXPECT_NE(locked.line.find("could not be read"), std::string::npos) << locked.line;
    }
}

TEST(SettingsFile, AWriteMakesItsFolderReplacesTheFileWholeAndFailsWithoutHarm) {
    TempFolder folder;
    const std::string path = folder.path + "/config/zarnhold/settings.ini";
    ASSERT_TRUE(saveSettingsFile(path, changedSettings()));
    EXPECT_EQ(loadSettingsFile(path).settings, changedSettings());
    EXPECT_FALSE(fs::exists(path + ".partial"));

    writeAll(path, "version = 1\ngarbage\n");
    ASSERT_TRUE(saveSettingsFile(path, Settings{}));
    EXPECT_EQ(readAll(path), writeSettingsText(Settings{})) << "a damaged file is replaced once written";
    const SettingsLoad reread = loadSettingsFile(path);
    EXPECT_EQ(reread.line, "");

    // A file where the folder should be: nothing can be written, and nothing is.
    const std::string blocked = folder.path + "/plain";
    writeAll(blocked, "not a folder");
    EXPECT_FALSE(saveSettingsFile(blocked + "/zarnhold/settings.ini", Settings{}));
    EXPECT_EQ(readAll(blocked), "not a folder");
}

TEST(SettingsFile, LivesUnderXdgConfigHomeOrTheHomeFolder) {
    EXPECT_EQ(settingsPath("/x/cfg", "/home/p"), "/x/cfg/zarnhold/settings.ini");
    EXPECT_EQ(settingsPath("", "/home/p"), "/home/p/.config/zarnhold/settings.ini");
    EXPECT_EQ(settingsPath(nullptr, "/home/p"), "/home/p/.config/zarnhold/settings.ini");
    EXPECT_EQ(settingsPath("relative/cfg", "/home/p"), "/home/p/.config/zarnhold/settings.ini")
        << "a relative XDG_CONFIG_HOME is ignored";
    EXPECT_EQ(settingsPath(nullptr, nullptr), "");
}

TEST(OptionsPanel, FreshArrowsChooseARowAndStepItsSettingWithinItsRange) {
    OptionsPanel panel;
    Settings settings;
    const PanelKeys none, up{true, false, false, false}, down{false, true, false, false};
    const PanelKeys left{false, false, true, false}, right{false, false, false, true};
    // Sensitivity (row 0): a step up and back returns to the default exactly.
    EXPECT_EQ(panel.follow(right, settings), 0);
    EXPECT_DOUBLE_EQ(settings.sensitivity, 0.0012);
    EXPECT_EQ(panel.follow(right, settings), std::nullopt) << "held, not pressed again";
    panel.follow(none, settings);
    panel.follow(left, settings);
    EXPECT_EQ(settings.sensitivity, 0.001);
    // Up from the top wraps to the last row (pause on focus loss), a switch either arrow flips.
    panel.follow(none, settings);
    panel.follow(up, settings);
    EXPECT_EQ(panel.chosenRow(), OptionsPanel::rowCount - 1);
    EXPECT_EQ(panel.follow(left, settings), OptionsPanel::rowCount - 1);
    EXPECT_FALSE(settings.pauseOnFocusLoss);
    // Field of view (row 2) stops at 75; volume (row 3) at 0.
    for (const PanelKeys& keys : {none, down, none, down, none, down}) panel.follow(keys, settings);
    EXPECT_EQ(panel.chosenRow(), 2);
    for (int i = 0; i < 12; ++i) {
        panel.follow(right, settings);
        panel.follow(none, settings);
    }
    EXPECT_EQ(settings.fieldOfViewDegrees, 75.0f);
    EXPECT_EQ(panel.follow(right, settings), std::nullopt) << "at the end nothing changes";
    panel.follow(down, settings);
    for (int i = 0; i < 12; ++i) {
        panel.follow(left, settings);
        panel.follow(none, settings);
    }
    EXPECT_EQ(settings.volume, 0.0f);
    EXPECT_FLOAT_EQ(OptionsPanel::share(settings, 3), 0.0f);
    EXPECT_FLOAT_EQ(OptionsPanel::share(settings, 2), 1.0f);
    // A key held as the panel is shown does nothing until pressed again.
    OptionsPanel shown;
    Settings untouched;
    shown.show(right);
    EXPECT_EQ(shown.follow(right, untouched), std::nullopt);
    EXPECT_EQ(untouched, Settings{});
    // Only the changed row is taken into the file's settings.
    const Settings saved = OptionsPanel::withRow(Settings{}, changedSettings(), 3);
    Settings expected;
    expected.volume = changedSettings().volume;
    EXPECT_EQ(saved, expected);
}
