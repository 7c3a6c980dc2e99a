#include "app/Platform.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

static_assert(keys::space == GLFW_KEY_SPACE && keys::w == GLFW_KEY_W && keys::s == GLFW_KEY_S &&
              keys::a == GLFW_KEY_A && keys::d == GLFW_KEY_D && keys::m == GLFW_KEY_M &&
              keys::escape == GLFW_KEY_ESCAPE && keys::enter == GLFW_KEY_ENTER && keys::tab == GLFW_KEY_TAB &&
              keys::f1 == GLFW_KEY_F1 && keys::f3 == GLFW_KEY_F3);
static_assert(mouseButtons::left == GLFW_MOUSE_BUTTON_LEFT && mouseButtons::right == GLFW_MOUSE_BUTTON_RIGHT);

bool Platform::start() {
    keepLargeBlocksMapped();
    return glfwInit() == GLFW_TRUE;
}

// Each run allocates and frees tens of MB in blocks of 1 to 16 MB (the driver's copies of
// the level's textures, the physics pools; the depth cubes were 480 MB more until runs
// came to reuse them). By default glibc raises its mapping threshold to the size of
// each such block freed, so from the second run on they come from its heap instead, which
// never shrinks past the scattered small blocks in between: resident memory climbs by
// about 200 MB over the first restarts and stays there. A fixed threshold keeps them
// mapped, and freeing one gives it back to the system at once.
void Platform::keepLargeBlocksMapped() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 1024 * 1024);
#endif
}

void Platform::returnFreedMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

void Platform::stop() {
    glfwTerminate();
}

bool Platform::gameWindowSize(int& width, int& height) {
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor ? glfwGetVideoMode(monitor) : nullptr;
    if (mode == nullptr) return false;
    height = static_cast<int>(mode->height / 1.2);
    width = static_cast<int>(mode->width / 1.2);
    return true;
}

GLFWwindow* Platform::openWindow(int width, int height, const char* title, bool visible,
                                 std::string* glewError, int samples) {
    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_SAMPLES, samples);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 2);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    if (!visible) glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    GLFWwindow* window = glfwCreateWindow(width, height, title, nullptr, nullptr);
    if (window == nullptr) return nullptr;
    glfwMakeContextCurrent(window);
    glewExperimental = GL_TRUE;
    const GLenum glewStatus = glewInit();
    if (glewStatus != GLEW_OK) {
        if (glewError) *glewError = reinterpret_cast<const char*>(glewGetErrorString(glewStatus));
        glfwDestroyWindow(window);
        return nullptr;
    }
    // GLEW's own start may leave an error behind.
    glGetError();
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    return window;
}

void Platform::waitForDisplay(bool wait) {
    glfwSwapInterval(wait ? 1 : 0);
}

void Platform::closeWindow(GLFWwindow* window) {
    if (window) glfwDestroyWindow(window);
}

double Platform::seconds() {
    return glfwGetTime();
}

void Platform::pollEvents() {
    glfwPollEvents();
}

void Platform::framebufferSize(int& width, int& height) const {
    glfwGetFramebufferSize(window, &width, &height);
}

void Platform::swapBuffers() const {
    glfwSwapBuffers(window);
}

bool Platform::closeRequested() const {
    return glfwWindowShouldClose(window);
}

void Platform::hideCursor() const {
    glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
}

bool Platform::keyDown(int key) const {
    return glfwGetKey(window, key) == GLFW_PRESS;
}

bool Platform::buttonDown(int button) const {
    return glfwGetMouseButton(window, button) == GLFW_PRESS;
}

glm::dvec2 Platform::cursor() const {
    glm::dvec2 at(0.0);
    glfwGetCursorPos(window, &at.x, &at.y);
    return at;
}

void Platform::placeCursor(double x, double y) {
    glfwSetCursorPos(window, x, y);
}
