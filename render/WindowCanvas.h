#pragma once

namespace zarnhold {

// The few calls the main loop makes on the window's own framebuffer, so that the loop itself
// makes no GL call. GL context current for each.

// Draws to the whole `width` x `height` window.
void fitViewportToWindow(int width, int height);
// Clears colour, depth and stencil of the bound framebuffer.
void clearWholeFramebuffer();
// The framebuffer bound now: the window's (0 or the driver's) before the scene redirects it.
unsigned int boundFramebuffer();
// Waits until every call made so far has been drawn.
void finishDrawing();
// A vertex array, made and bound: a core context draws nothing without one bound.
unsigned int makeBoundVertexArray();
void bindVertexArray(unsigned int vertexArray);

}  // namespace zarnhold
