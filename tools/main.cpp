// zarnhold_assets <gameDir> [floorPlan.bmp]
// Writes every model and picture the game opens into <gameDir>/External/Models/. The
// output depends on nothing but this program: two runs give the same bytes.
#include <cstdio>
#include <filesystem>
#include <string>

#include "tools/ObjWriter.h"
#include "tools/ScreenModel.h"
#include "tools/ScreenPictures.h"

namespace {

bool writeAll(const std::string& modelsDir) {
    bool ok = writeObj(modelsDir + "/Screen.obj", buildScreenModel(), "Zarnhold picture box");
    ok = writeScreenPictures(modelsDir, ZARNHOLD_FONT_DIR) && ok;
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: zarnhold_assets <gameDir> [floorPlan.bmp]\n");
        return 2;
    }
    const std::string modelsDir = std::string(argv[1]) + "/External/Models";
    std::error_code error;
    std::filesystem::create_directories(modelsDir + "/Levels", error);
    std::filesystem::create_directories(modelsDir + "/cubeMap", error);
    if (error) {
        std::printf("Cannot create %s\n", modelsDir.c_str());
        return 1;
    }
    if (!writeAll(modelsDir)) {
        std::printf("Some assets could not be written to %s\n", modelsDir.c_str());
        return 1;
    }
    return 0;
}
