#include <cstdio>

#include "app/Console.h"
#include "app/Game.h"

int main() {
    // Diagnostics go out line by line, so a watching console (or test) sees them at once.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    Game* game = new Game();
    game->run();
    delete game;
    std::fflush(stdout);
    consolePause();
    return 0;
}
