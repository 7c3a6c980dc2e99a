#pragma once

#include <string>

#include "run/PlayerInput.h"

struct GLFWwindow;

namespace zarnhold {

// The game's one door to GLFW: the window with the game's context and starting GL state,
// the clock, events, the buffer swap, the keyboard and mouse of one window, and the first
// gamepad. The game,
// the GL tests and the frame benchmark all open their windows here.
class Platform : public PlayerInput {
public:
    explicit Platform(GLFWwindow* window = nullptr) : window(window) {}

    // Sets the allocator's policy for large blocks, then glfwInit; false when GLFW cannot
    // start.
    static bool start();
    // Blocks of 1 MB and more get mappings of their own, whatever sizes were freed before.
    static void keepLargeBlocksMapped();
    // Hands the free pages inside the allocator's heap back to the system.
    static void returnFreedMemory();
    static void stop();
    // The primary monitor's video mode divided by 1.2 each way, truncated; false without one.
    static bool gameWindowSize(int& width, int& height);
    // A window with a 3.2 core context and `samples` a pixel (4, or 0 where the scene is
    // multisampled off screen), made current, GLEW started, and the game's GL state set
    // (depth test GL_LESS, back faces culled, black clear colour).
    // nullptr when no window could be made; when GLEW fails the window is closed, nullptr
    // is returned and `glewError` (if given) gets GLEW's text.
    static GLFWwindow* openWindow(int width, int height, const char* title, bool visible,
                                  std::string* glewError = nullptr, int samples = 4);
    static void closeWindow(GLFWwindow* window);
    // Whether the current context's buffer swap waits for the display (one frame a refresh).
    static void waitForDisplay(bool wait);
    // Seconds since GLFW started.
    static double seconds();
    static void pollEvents();

    void swapBuffers() const;
    // The window's drawable size in pixels, which follows the window when it is resized;
    // 0 by 0 while it is minimised.
    void framebufferSize(int& width, int& height) const;
    bool closeRequested() const;
    // Captured in a run: hidden, held to the window and moving without bound (raw, unscaled
    // motion where the system offers it); free over the pictures and a pause.
    void captureCursor(bool captured) const;
    // Fills the monitor the window is most on, at its mode, or goes back to the window's
    // last place and size.
    void setFullscreen(bool on);
    bool fullscreen() const;

    bool keyDown(int key) const override;
    bool buttonDown(int button) const override;
    glm::dvec2 cursor() const override;
    void placeCursor(double x, double y) override;
    bool windowFocused() const override;
    // Held now, or pressed since the last ask (a tap between two frames counts).
    bool anyKeyOrButton() const override;
    // Set by the windows' key and button callbacks.
    static bool pressedSinceAsked;
    // Read afresh at each call from the first joystick GLFW maps as a gamepad, so a pad
    // plugged in during a run plays at once and one pulled out reads as nothing held.
    GamepadState gamepad() const override;

    GLFWwindow* window = nullptr;

private:
    // Where the window was, and its size, before it filled the screen.
    int windowedX = 0, windowedY = 0, windowedWidth = 0, windowedHeight = 0;
};

}  // namespace zarnhold
