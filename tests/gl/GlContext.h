#pragma once

struct GLFWwindow;

// The GL tests share one hidden 1600x900 window with a 3.2 core context and 4 samples,
// made before the first test. Drawing tests render into its default framebuffer.
GLFWwindow* testWindow();
constexpr int testWidth = 1600;
constexpr int testHeight = 900;

// The fixed state the game sets once at start: depth test with GL_LESS, back faces culled.
void useGameDrawState();
