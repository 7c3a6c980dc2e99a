#include "app/Console.h"

#include <cstdio>

#include <unistd.h>

namespace zarnhold {

void consolePause() {
    if (!isatty(fileno(stdin))) {
        return;
    }
    std::printf("Press Enter to continue . . .\n");
    std::fflush(stdout);
    int c = 0;
    while ((c = std::getchar()) != '\n' && c != EOF) {
    }
}

}  // namespace zarnhold
