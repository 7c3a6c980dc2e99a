// Where the game finds its data when started from any folder, and the command line's files
// staying those of the folder it was started in.
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "app/DataFolder.h"

using namespace zarnhold;

TEST(DataFolder, TheWorkingDirectoryWhenItHoldsTheDataElseTheProgramsFolderElseNone) {
    struct Case {
        const char* what;
        std::string workingDir;
        std::string programPath;
        std::set<std::string> withData;
        std::optional<std::string> expected;
    };
    const std::string repo = "/home/p/zarnhold";
    const std::string build = repo + "/build/game";
    const Case cases[] = {
        {"the build folder", build, build + "/zarnhold", {build}, build},
        {"the repository's root", repo, build + "/zarnhold", {build}, build},
        {"a launcher's data folder",
         "/usr/share/games/zarnhold",
         "/usr/lib/games/zarnhold/zarnhold",
         {"/usr/share/games/zarnhold"},
         "/usr/share/games/zarnhold"},
        // A damaged copy of the game folder is still the player's choice: its loaders say what it lacks.
        {"both hold it", "/tmp/copy", build + "/zarnhold", {"/tmp/copy", build}, "/tmp/copy"},
        {"neither holds it", repo, "/usr/lib/games/zarnhold/zarnhold", {build}, std::nullopt},
        {"the program unknown", repo, "", {""}, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto holdsData = [&c](const std::string& folder) { return c.withData.count(folder) > 0; };
        EXPECT_EQ(dataFolder(c.workingDir, c.programPath, holdsData), c.expected) << c.what;
    }
}

TEST(DataFolder, TheCommandLinesFilesAreMadeAbsoluteFromTheFolderTheGameStartedIn) {
    EXPECT_EQ(pathFrom("/home/p", "run.zrec"), "/home/p/run.zrec");
    EXPECT_EQ(pathFrom("/home/p/zarnhold", "../runs/./a.zrec"), "/home/p/runs/a.zrec");
    EXPECT_EQ(pathFrom("/home/p", "/tmp/clock"), "/tmp/clock") << "absolute stays";
    EXPECT_EQ(pathFrom("/home/p", ""), "") << "no file stays no file";

    GameOptions options;
    options.clockFile = "clock";
    options.recordFile = "out/run.zrec";
    options.replayFile = "build/game/demos/route.zrec";
    options.targetFps = 45.0;
    const GameOptions moved = withPathsFrom("/home/p/zarnhold", options);
    EXPECT_EQ(moved.clockFile, "/home/p/zarnhold/clock");
    EXPECT_EQ(moved.recordFile, "/home/p/zarnhold/out/run.zrec");
    EXPECT_EQ(moved.replayFile, "/home/p/zarnhold/build/game/demos/route.zrec");
    EXPECT_EQ(moved.targetFps, 45.0) << "the rest as given";
}
