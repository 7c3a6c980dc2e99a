// Preloaded into the real game, this stands in for GLFW's primary monitor query and
// reports none, as on an X server with no output connected: the game must refuse to start
// with its own line, not trip GLFW's assertion on a null monitor.
struct GLFWmonitor;

extern "C" GLFWmonitor* glfwGetPrimaryMonitor() {
    return nullptr;
}
