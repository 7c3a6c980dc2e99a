#pragma once

// The window the GL tests and the frame benchmark draw in: hidden, opened as the game
// opens its own (3.2 core context, 4 samples, GLEW started, the game's GL state). Needs
// Platform::start first; nullptr when the window or GLEW cannot start.
#include "app/Platform.h"

namespace zarnhold {

inline GLFWwindow* openHiddenWindow(int width, int height, const char* title) {
    return Platform::openWindow(width, height, title, false);
}

}  // namespace zarnhold
