#pragma once

namespace zarnhold {

// Samples a pixel of the scene at full size, whatever the window has.
constexpr int sceneSamples = 4;

// How a scene drawn below full size is drawn up to the window.
enum class DrawUp {
    // Linear filtering; the default.
    Bilinear,
    // Along the edges, then lightly sharpened ("edgeupscale.frag"): a little more like the
    // full-size frame at the same size, but twelve reads and a kernel for every window
    // pixel cost a software renderer more than the smaller size saves.
    EdgeAware,
};

// Where a playing frame's scene is drawn. At full scale with 4 samples a pixel: in a window
// that has them, the window itself, with nothing added; else an off-screen multisampled
// target resolved straight into the window. Below full scale an off-screen target of the
// scaled size (by default with no samples, drawn straight into the texture that is drawn
// up; with samples, resolved into it first), drawn up over the whole window. Targets are
// made again whenever their size changes. A window without samples costs less to clear and
// swap, and the picture is the same. Lives as long as the game, not a run. Needs a current
// GL context.
class SceneTarget {
public:
    SceneTarget() = default;
    SceneTarget(const SceneTarget&) = delete;
    SceneTarget& operator=(const SceneTarget&) = delete;
    ~SceneTarget();

    // Builds the programs that draw the scene up to the window ("upscale.vert" with
    // "upscale.frag" and "edgeupscale.frag"). Without the bilinear one (a missing or bad
    // shader) every frame is drawn at full scale; without the edge-aware one, frames are
    // drawn up bilinearly.
    void init();
    // Binds where the scene goes and sets its viewport: the window (`screenFramebuffer`) at
    // a scale of 1 or more when it has the samples, the off-screen target otherwise.
    // Returns the scale used.
    float begin(unsigned int screenFramebuffer, int windowWidth, int windowHeight, float scale);
    // After begin drew off screen: resolves the target into the window (at full scale) or
    // resolves it and draws it over the whole window, leaving the window bound with its full
    // viewport. Otherwise does nothing.
    void present();
    // Frees the off-screen target and the program.
    void release();
    // Samples a pixel below full size (at full size always sceneSamples); none by default:
    // drawn up from half size, a frame with none is as like the full-size 4x one (SSIM,
    // frame_benchmark --similarity) as one with 4, and a fifth faster.
    void setScaledSamples(int samples) { scaledSamples = samples; }
    void setDrawUp(DrawUp filter) { drawUp = filter; }

    // The off-screen size in use (0 by 0 while frames go straight to the window).
    int targetWidth() const { return width; }
    int targetHeight() const { return height; }

private:
    bool makeTarget(int targetWidth, int targetHeight, int targetSamples);
    void freeTarget();
    void drawUpToScreen();

    unsigned int bilinearProgram = 0;
    unsigned int edgeAwareProgram = 0;
    unsigned int emptyVertexArray = 0;
    // The window's samples: a window with fewer than the scene's gets it through the target.
    int windowSamples = 0;
    // Where the scene is drawn: with samples, into `colourBuffer`, resolved into
    // `resolvedTexture` (what is drawn up); without, into `resolvedTexture` itself.
    unsigned int sceneFramebuffer = 0;
    unsigned int colourBuffer = 0;
    unsigned int depthStencilBuffer = 0;
    unsigned int resolvedFramebuffer = 0;
    unsigned int resolvedTexture = 0;
    int width = 0;
    int height = 0;
    int samples = 0;
    int scaledSamples = 0;
    DrawUp drawUp = DrawUp::Bilinear;
    bool drawingOffScreen = false;
    unsigned int screen = 0;
    int screenWidth = 0;
    int screenHeight = 0;
};

// The off-screen size for a window side of `windowSide` pixels at `scale`: rounded, at
// least 1.
int scaledSide(int windowSide, float scale);

}  // namespace zarnhold
