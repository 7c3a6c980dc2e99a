// The tests that read the generated game folder (the models, the pictures, the level).
// ctest gives them the folder as `--game-dir DIR`; they run from there, since the game
// opens every file relative to its working directory.
#include <cstdio>
#include <cstring>

#include <gtest/gtest.h>
#include <unistd.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--game-dir") == 0 && chdir(argv[i + 1]) != 0) {
            std::fprintf(stderr, "cannot enter the game folder %s\n", argv[i + 1]);
            return 2;
        }
    }
    return RUN_ALL_TESTS();
}
