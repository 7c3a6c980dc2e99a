#pragma once

// The window the GL tests and the frame benchmark draw in: hidden, with the game's 3.2
// core context and 4 samples, current, and GLEW started. Needs glfwInit first; nullptr
// when the window or GLEW cannot start.
#include <GL/glew.h>
#include <GLFW/glfw3.h>

inline GLFWwindow* openHiddenWindow(int width, int height, const char* title) {
    glfwWindowHint(GLFW_SAMPLES, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 2);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    GLFWwindow* window = glfwCreateWindow(width, height, title, nullptr, nullptr);
    if (window == nullptr) return nullptr;
    glfwMakeContextCurrent(window);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK) {
        glfwDestroyWindow(window);
        return nullptr;
    }
    glGetError();  // GLEW's own start may leave an error behind.
    return window;
}
