#pragma once

#include <glm/glm.hpp>

#include "render/Automap.h"

namespace zarnhold {

class CameraState;

// A rectangle of the window in pixels, origin at the lower left as GL counts.
struct MapPanel {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The map (Automap) of the current run, over the middle of the playing view at the
// window's full size: a dim panel, the map's lines as thin quads and its triangles, with a
// program of its own. Made once at start and kept as long as the game (its GL objects go
// with the context); nothing is built or drawn while the map is hidden.
class AutomapView {
public:
    AutomapView() = default;
    AutomapView(const AutomapView&) = delete;
    AutomapView& operator=(const AutomapView&) = delete;

    // The program ("automap.vert", "automap.frag"), its vertex array and buffer; the vertex
    // array bound before is bound again. Needs a current GL context.
    void init();
    // The map of the player's run into the bound framebuffer of a window of `windowWidth` x
    // `windowHeight`, in panelIn's rectangle.
    void draw(const CameraState& player, int windowWidth, int windowHeight);
    // Draws `drawing` over a dim background in `panel`; leaves the viewport, the vertex
    // array and the fixed draw state (depth test, back faces culled, no blending) as they were.
    void drawShapes(const AutomapDrawing& drawing, const MapPanel& panel);

    // Where the map lies in a window: the middle 0.7 of it each way.
    static MapPanel panelIn(int windowWidth, int windowHeight);
    // The map for `panel`: the rooms the player's level has seen this run, the player's eye
    // and turn, and the goal crystal. Pure: reads the run, touches no GL.
    static AutomapDrawing drawingFor(const CameraState& player, const MapPanel& panel);
    static glm::vec4 colourOf(AutomapMark mark);

private:
    unsigned int program = 0;
    int panelSizeLocation = -1;
    unsigned int vertexArray = 0;
    unsigned int buffer = 0;
};

}  // namespace zarnhold
