#include "app/HealthBar.h"

#include <GL/glew.h>

namespace zarnhold {

void clearPixelRect(const PixelRect& rect, float r, float g, float b) {
    if (rect.width <= 0 || rect.height <= 0) return;
    glScissor(rect.x, rect.y, rect.width, rect.height);
    glClearColor(r, g, b, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

void drawHealthBar(const HealthBarLayout& layout) {
    glEnable(GL_SCISSOR_TEST);
    clearPixelRect(layout.frame, 0.06f, 0.04f, 0.04f);
    clearPixelRect(layout.fill, 0.78f, 0.10f, 0.07f);
    clearPixelRect(layout.lost, 0.98f, 0.78f, 0.55f);
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
}

}  // namespace zarnhold
