#include "app/Platform.h"

#include <algorithm>

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include "app/GamepadRules.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace zarnhold {

static_assert(keys::space == GLFW_KEY_SPACE && keys::w == GLFW_KEY_W && keys::s == GLFW_KEY_S &&
              keys::a == GLFW_KEY_A && keys::d == GLFW_KEY_D && keys::m == GLFW_KEY_M &&
              keys::escape == GLFW_KEY_ESCAPE && keys::enter == GLFW_KEY_ENTER && keys::tab == GLFW_KEY_TAB &&
              keys::f1 == GLFW_KEY_F1 && keys::f3 == GLFW_KEY_F3 && keys::f11 == GLFW_KEY_F11 &&
              keys::leftAlt == GLFW_KEY_LEFT_ALT && keys::rightAlt == GLFW_KEY_RIGHT_ALT);
static_assert(mouseButtons::left == GLFW_MOUSE_BUTTON_LEFT && mouseButtons::right == GLFW_MOUSE_BUTTON_RIGHT);

// A tap quicker than a frame is over before the frame reads the keys: the callbacks keep
// that one came.
bool Platform::pressedSinceAsked = false;

namespace {

void notePressedKey(GLFWwindow*, int, int, int action, int) {
    if (action == GLFW_PRESS) Platform::pressedSinceAsked = true;
}

void notePressedButton(GLFWwindow*, int, int action, int) {
    if (action == GLFW_PRESS) Platform::pressedSinceAsked = true;
}

GamepadState fromGlfw(const GLFWgamepadstate& pad) {
    GamepadState state;
    state.leftStick = glm::vec2(pad.axes[GLFW_GAMEPAD_AXIS_LEFT_X], pad.axes[GLFW_GAMEPAD_AXIS_LEFT_Y]);
    state.rightStick = glm::vec2(pad.axes[GLFW_GAMEPAD_AXIS_RIGHT_X], pad.axes[GLFW_GAMEPAD_AXIS_RIGHT_Y]);
    state.leftTrigger = triggerPull(pad.axes[GLFW_GAMEPAD_AXIS_LEFT_TRIGGER]);
    state.rightTrigger = triggerPull(pad.axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER]);
    state.a = pad.buttons[GLFW_GAMEPAD_BUTTON_A] == GLFW_PRESS;
    state.back = pad.buttons[GLFW_GAMEPAD_BUTTON_BACK] == GLFW_PRESS;
    state.start = pad.buttons[GLFW_GAMEPAD_BUTTON_START] == GLFW_PRESS;
    return state;
}

}  // namespace

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
    glfwSetKeyCallback(window, notePressedKey);
    glfwSetMouseButtonCallback(window, notePressedButton);
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

void Platform::captureCursor(bool captured) const {
    glfwSetInputMode(window, GLFW_CURSOR, captured ? GLFW_CURSOR_DISABLED : GLFW_CURSOR_NORMAL);
    if (glfwRawMouseMotionSupported()) {
        glfwSetInputMode(window, GLFW_RAW_MOUSE_MOTION, captured ? GLFW_TRUE : GLFW_FALSE);
    }
}

namespace {

// The monitor that holds most of the window; the primary one when it is on none.
GLFWmonitor* monitorUnder(GLFWwindow* window) {
    int x = 0, y = 0, width = 0, height = 0;
    glfwGetWindowPos(window, &x, &y);
    glfwGetWindowSize(window, &width, &height);
    int count = 0;
    GLFWmonitor** monitors = glfwGetMonitors(&count);
    GLFWmonitor* best = glfwGetPrimaryMonitor();
    long bestArea = 0;
    for (int i = 0; i < count; ++i) {
        const GLFWvidmode* mode = glfwGetVideoMode(monitors[i]);
        if (mode == nullptr) continue;
        int mx = 0, my = 0;
        glfwGetMonitorPos(monitors[i], &mx, &my);
        const long overlapX = std::max(0, std::min(x + width, mx + mode->width) - std::max(x, mx));
        const long overlapY = std::max(0, std::min(y + height, my + mode->height) - std::max(y, my));
        if (overlapX * overlapY > bestArea) {
            bestArea = overlapX * overlapY;
            best = monitors[i];
        }
    }
    return best;
}

}  // namespace

void Platform::setFullscreen(bool on) {
    if (on == fullscreen()) return;
    if (!on) {
        glfwSetWindowMonitor(window, nullptr, windowedX, windowedY, windowedWidth, windowedHeight, 0);
        return;
    }
    GLFWmonitor* monitor = monitorUnder(window);
    const GLFWvidmode* mode = monitor ? glfwGetVideoMode(monitor) : nullptr;
    if (mode == nullptr) return;
    glfwGetWindowPos(window, &windowedX, &windowedY);
    glfwGetWindowSize(window, &windowedWidth, &windowedHeight);
    glfwSetWindowMonitor(window, monitor, 0, 0, mode->width, mode->height, mode->refreshRate);
}

bool Platform::fullscreen() const {
    return glfwGetWindowMonitor(window) != nullptr;
}

bool Platform::windowFocused() const {
    return glfwGetWindowAttrib(window, GLFW_FOCUSED) == GLFW_TRUE &&
           glfwGetWindowAttrib(window, GLFW_ICONIFIED) == GLFW_FALSE;
}

bool Platform::anyKeyOrButton() const {
    if (pressedSinceAsked) {
        pressedSinceAsked = false;
        return true;
    }
    for (int key = GLFW_KEY_SPACE; key <= GLFW_KEY_LAST; ++key) {
        if (glfwGetKey(window, key) == GLFW_PRESS) return true;
    }
    for (int button = GLFW_MOUSE_BUTTON_1; button <= GLFW_MOUSE_BUTTON_LAST; ++button) {
        if (glfwGetMouseButton(window, button) == GLFW_PRESS) return true;
    }
    return false;
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

// A joystick without a gamepad mapping (a flight stick, a pad's motion sensors, which show
// up as a joystick of their own) is passed over.
GamepadState Platform::gamepad() const {
    for (int joystick = GLFW_JOYSTICK_1; joystick <= GLFW_JOYSTICK_LAST; ++joystick) {
        GLFWgamepadstate pad{};
        if (glfwJoystickIsGamepad(joystick) == GLFW_TRUE &&
            glfwGetGamepadState(joystick, &pad) == GLFW_TRUE) {
            return fromGlfw(pad);
        }
    }
    return {};
}

}  // namespace zarnhold
