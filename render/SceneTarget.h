#pragma once

// Where a playing frame's scene is drawn. At full scale that is the window itself, with
// nothing added. Below it, an off-screen multisampled target of the scaled size (made
// again whenever that size changes), resolved and then drawn up over the whole window with
// linear filtering. Lives as long as the game, not a run. Needs a current GL context.
class SceneTarget {
public:
    SceneTarget() = default;
    SceneTarget(const SceneTarget&) = delete;
    SceneTarget& operator=(const SceneTarget&) = delete;
    ~SceneTarget();

    // Builds the program that draws the scene up to the window ("upscale.vert" and
    // "upscale.frag"). Without it (a missing or bad shader) every frame is drawn at full
    // scale.
    void init();
    // Binds where the scene goes and sets its viewport: the window (`screenFramebuffer`) at
    // a scale of 1 or more, the off-screen target below it. Returns the scale used.
    float begin(unsigned int screenFramebuffer, int windowWidth, int windowHeight, float scale);
    // After begin with a scale below 1: resolves the target and draws it over the whole
    // window, leaving the window bound with its full viewport. Otherwise does nothing.
    void present();
    // Frees the off-screen target and the program.
    void release();

    // The off-screen size in use (0 by 0 while frames go straight to the window).
    int targetWidth() const { return width; }
    int targetHeight() const { return height; }

private:
    bool makeTarget(int targetWidth, int targetHeight);
    void freeTarget();

    unsigned int program = 0;
    int sceneLocation = -1;
    unsigned int emptyVertexArray = 0;
    int windowSamples = 0;
    // Multisampled like the window; the resolved copy is what is drawn up.
    unsigned int multisampledFramebuffer = 0;
    unsigned int colourBuffer = 0;
    unsigned int depthStencilBuffer = 0;
    unsigned int resolvedFramebuffer = 0;
    unsigned int resolvedTexture = 0;
    int width = 0;
    int height = 0;
    bool drawingOffScreen = false;
    unsigned int screen = 0;
    int screenWidth = 0;
    int screenHeight = 0;
};

// The off-screen size for a window side of `windowSide` pixels at `scale`: rounded, at
// least 1.
int scaledSide(int windowSide, float scale);
