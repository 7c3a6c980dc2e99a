#include <cstdio>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/Console.h"
#include "app/Game.h"

int main(int argc, char** argv) {
    // Diagnostics go out line by line, so a watching console (or test) sees them at once.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const ParsedCommandLine parsed = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "zarnhold: %s\n%s", parsed.error.c_str(), usageText().c_str());
        return 2;
    }
    if (parsed.options.help) {
        std::printf("%s", usageText().c_str());
        return 0;
    }
    Game* game = new Game(parsed.options);
    game->run();
    delete game;
    std::fflush(stdout);
    consolePause();
    return 0;
}
