#include <cstdio>
#include <cstdlib>
#include <string>

#include <GL/glew.h>
#include <gtest/gtest.h>

#include "tests/HiddenWindow.h"
#include "tests/gl/GlContext.h"

using namespace zarnhold;

namespace {
GLFWwindow* window = nullptr;
}

GLFWwindow* testWindow() {
    return window;
}

void useGameDrawState() {
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // Test discovery lists the tests without a display.
    if (GTEST_FLAG_GET(list_tests)) {
        return RUN_ALL_TESTS();
    }
    if (!Platform::start()) {
        std::fprintf(stderr, "GL tests need a display (run them under xvfb-run)\n");
        return 1;
    }
    window = openHiddenWindow(testWidth, testHeight, "Zarnhold tests");
    if (window == nullptr) {
        std::fprintf(stderr, "no GL 3.2 core window, or GLEW could not start\n");
        return 1;
    }
    const int result = RUN_ALL_TESTS();
    Platform::closeWindow(window);
    Platform::stop();
    return result;
}
