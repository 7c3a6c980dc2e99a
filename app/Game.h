#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <glm/glm.hpp>

#include "app/AutomapView.h"
#include "app/CommandLine.h"
#include "app/HarmOverlay.h"
#include "app/HealthBarLayout.h"
#include "app/HealthTrail.h"
#include "app/OptionsPanel.h"
#include "app/Platform.h"
#include "app/RecordedInput.h"
#include "app/ResolutionScale.h"
#include "app/StateRule.h"
#include "app/TickInput.h"
#include "audio/GameSound.h"
#include "render/RenderWorld.h"
#include "render/SceneTarget.h"
#include "run/RunContext.h"
#include "scene/GlLedger.h"
#include "scene/Node.h"

struct GLFWwindow;
class btDbvtBroadphase;
class btDefaultCollisionConfiguration;
class btCollisionDispatcher;
class btSequentialImpulseConstraintSolver;
class btDiscreteDynamicsWorld;

namespace zarnhold {

struct Light;
class AppState;
class PlayerInput;
class Screen;
class CameraState;
class CubeMapDebugger;
class Enemy;
class PhysicsWorld;

// The application: the window, the state machine between the pictures and a run, the
// main loop, and everything a run holds. Constructing it touches no GL state, so a test
// can build one without a window.
struct SwordStrike;

class Game : public RunContext {
public:
    explicit Game(const GameOptions& options = {});
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    void addObject(AppState* object) override;
    void addLight(Light* light) override;
    void addShadowCaster(Node* caster) override;

    // The camera's matrices every draw of the frame uses: the player's eye's (followCamera).
    glm::mat4 view{0.0f};
    glm::mat4 projection{0.0f};
    // The run's scene objects (owned, in the order the frame relies on), its shadow casters
    // and its lights (not owned: each is its giver's), in the order they were added.
    std::vector<AppState*> sceneObjects;
    Node shadowCasterRoot;
    std::vector<Light*> lightList;

    // Window, context, pictures, then the main loop until Escape or the window closes.
    // Exits the process with status -1 when GLFW, the window or GLEW cannot start.
    void run();
    // Whether the loop goes on to another frame: until Escape has ended a frame or the
    // window has been asked to close.
    bool keepsRunning() const;
    // One frame of the main loop at `nowSeconds` on the clock: events, the playing part
    // when a run is on, the state machine with its picture or loading step, the swap.
    void runFrame(double nowSeconds);

    // Builds a fresh run: new physics world, the previous run freed, health 1000, every
    // scene object created, initialised, and every light's shadow map prepared.
    void buildWorld();
    // Frees every scene object of the previous run and what the run made (GL objects, the
    // previous physics world).
    void clearWorld();
    // Makes the new run's physics world; the previous one is kept until clearWorld frees it.
    void createPhysicsWorld();

    // The programs, the depth cubes lent to each run in turn and the run's shadow renderers;
    // the run's objects reach it as `renderWorld`.
    RenderWorld graphics;

    GLFWwindow* window = nullptr;
    bool running = true;
    double currentTime = 0.0;
    double previousTime = 0.0;
    btDiscreteDynamicsWorld* world = nullptr;
    btDbvtBroadphase* broadphase = nullptr;
    btDefaultCollisionConfiguration* collisionConfiguration = nullptr;
    btCollisionDispatcher* dispatcher = nullptr;
    btSequentialImpulseConstraintSolver* solver = nullptr;
    // The game-over picture that names no cause, and those for a creature and a fall.
    Screen* gameOverScreen = nullptr;
    Screen* slainScreen = nullptr;
    Screen* fellScreen = nullptr;
    // The controls, over the middle of the playing view or the intro while F1 has it shown.
    Screen* helpScreen = nullptr;
    Screen* introScreen = nullptr;
    Screen* wonScreen = nullptr;
    Screen* loadingScreen = nullptr;
    // Over the middle of the view while a run is paused.
    Screen* pausedScreen = nullptr;
    CubeMapDebugger* cubeMapDebugger = nullptr;

    // The window's GLFW side, which backs `input` in the game.
    Platform platform;
    // Bound at start and again after a run is freed, so a draw never finds the freed
    // run's vertex array, or none, bound.
    unsigned int vertexArray = 0;
    // Carries the meshes and textures every enemy of the run copies; on no list, never
    // updated or drawn; freed with the run.
    std::unique_ptr<Enemy> enemyTemplate;
    // Shown over the playing view; F3 toggles it.
    bool showCubeMapViewer = false;
    // Shown over the playing view; F1 toggles it.
    bool showHelp = false;
    // The run waits: its window lost the keyboard or was minimised (see followFocus).
    bool paused = false;
    // The map of the run's rooms, over the playing view; Tab toggles it, and each run starts
    // without it.
    bool showMap = false;
    AutomapView automapView;
    // The settings, over the middle of the view or the intro while F2 has them shown.
    Screen* optionsScreen = nullptr;
    bool showOptions = false;
    OptionsPanel optionsPanel;
    // The settings as the game now plays them (the command line's over the file's).
    const Settings& settings() const { return options; }

    // Steps of a playing frame, in the order the main loop runs them; public so that a
    // benchmark or test with its own window can run a frame piece by piece.
    void initPictures();
    // The keys the state machine reads, through `input`, as they stand this frame.
    FrameKeys readFrameKeys() const;
    // The world's part of a playing frame that comes `elapsedMs` after the last: its
    // advance (worldAdvanceMs of it) added to the time carried from before, then as many
    // whole ticks as that covers, then every object posed between the last two ticks.
    // Ticks stop once the run has ended. Returns the advance.
    double advanceWorld(double elapsedMs);
    // One tick of the world: the tick's input (replayed, or read now), one physics step,
    // the flicker and every update, each given the tick's 10 ms.
    void runTick();
    // The flicker's steps that the current tick takes (60 a second of game time).
    void flickerLights();
    void updateObjects(double worldMs);
    // Whether the current run has ended: health out, or the goal touched.
    bool runHasEnded() const;
    // Ticks the current run has run.
    long ticksRun = 0;
    // Called after every tick (tests watch the world with it).
    std::function<void()> afterTick;
    // The seed the next run is built with; when empty a fresh one is drawn (a replay's
    // comes from its recording).
    std::optional<std::uint64_t> nextRunSeed;
    // The run's player, once built.
    CameraState* player = nullptr;
    // Replays `recording` instead of the live input from the next run on; the recording's
    // seed is that run's.
    void startReplay(const Recording& recording);
    // Whether a replay still gives the ticks their input.
    bool replaying() const { return replayActive; }
    // The current run as recorded so far: its seed and every tick's input (none unless
    // `recordsTicks`; at most the longest run a recording file holds).
    const Recording& recorded() const { return recording; }
    // Keeps every tick's input of the run: with --record, or for a test or tool that asks.
    bool recordsTicks = false;
    // Brings up to date the cube maps that this frame samples: the lights the lit surfaces
    // use (within 25 of the player) and, while the viewer is shown, the second light.
    void renderShadowMaps();
    // The plain pass for every light: all casters redrawn into every cube.
    void renderShadowMapsPlain();
    // By light-list index: whether this frame's drawing reads that light's cube map.
    std::vector<bool> lightsSampledThisFrame() const;
    // Clears the window for a new picture: colour, depth and the unused stencil together.
    // A software renderer fills a packed depth-stencil buffer with plain stores when both
    // are cleared, but reads and rewrites every word when only the depth is.
    static void clearWindow();
    void renderObjects();
    // The scene (every object's draw) into the window bound as `screenFramebuffer`, at
    // `scale` of its size each way: straight into it at 1, else off screen and then drawn
    // up to it. Leaves the window bound with its full viewport.
    void drawScene(unsigned int screenFramebuffer, float scale);
    // The scale the next playing frame is drawn at: the fixed one, or the automatic one.
    float sceneScale() const;
    // Takes the window's drawable size as `width` and `height` when it has changed (and is
    // not empty), so the view, the projection and the pictures follow a resize.
    void followWindowSize();

    // Seconds the current run's world has advanced: its ticks' 10 ms each.
    double runSeconds = 0.0;
    // The automatic scale, told the length of each playing frame that followed another.
    ResolutionScale resolutionScale;
    // Where a playing frame's scene goes; made in initPictures.
    SceneTarget sceneTarget;
    // The sound device and every sound, opened once the window is; silent until then.
    GameSound gameSound;
    // Tells the sound where the eye is and what the loops are doing this frame.
    void followSound();
    // The second light's depth cube over the upper right quarter of the view.
    void drawCubeMapViewer();
    // The health bar's lighter segment: what was just lost.
    HealthTrail healthTrail;
    // The red marks of harm at the view's edge and the flash of a new touch.
    HarmOverlay harmOverlay;

private:
    void startWindow();
    void playFrame();
    // While a run is on: a window that had the keyboard and lost it (or was minimised)
    // pauses the run; back in the window, a key or button, once let go, goes on. The pad's
    // Start pauses and goes on too. Replays and timedemos never pause.
    void followFocus();
    // A paused frame: the scene as the world left it, the overlays and the "Paused" panel.
    void drawPausedFrame();
    // The cursor is captured while a run is played, free otherwise.
    void followCursorCapture();
    // F11 and Alt+Enter toggle filling the screen.
    void followFullscreenKeys();
    // F1 shows or hides the help, F3 the cube-map viewer, Tab the map, while playing.
    void followOverlayKeys();
    // F1 shows or hides the help (on the intro too).
    void followHelpKey();
    // Over the scene at full size: the health bar, the viewer, the map and the help when shown.
    void drawOverlays();
    void drawHelp();
    void followCamera();
    // The middle of the window, 0.6 of it each way, where the help, options and pause panels lie.
    PixelRect middlePanel() const;
    // F2 shows or hides the options; while shown, the arrows choose and change a setting,
    // which is applied at once and written to the settings file.
    void followOptionsKeys();
    void drawOptions();
    // The look, the view's width, the volume and vsync as the settings give them.
    void applySettings();
    void saveSetting(int row);
    void drawPicture(GameStateValue picture);
    // The game-over picture that names what ended the run.
    Screen* gameOverPicture() const;
    void loadingStep();
    // Where the next tick's input comes from: the replay while it lasts, else the player.
    TickInput nextTickInput();
    // A replay or timedemo at its end: the run over, or the recording played out.
    void followReplayEnd(bool runEnded);
    void writeRecording() const;
    // The timedemo's figures, once its replay is over.
    void reportTimedemo() const;
    void addRunContents();
    void addEnemies(CameraState* player, const SwordStrike* strike);

    // The physics world of the run being replaced, until clearWorld frees it.
    std::unique_ptr<PhysicsWorld> retiredPhysics;
    bool f1WasDown = false;
    bool f11WasDown = false;
    bool startWasDown = false;
    bool altEnterWasDown = false;
    bool hadFocus = false;
    // A key or button went down in the paused window: going on waits for it to be let go.
    bool resumeHeld = false;
    bool cursorCaptured = false;
    bool f3WasDown = false;
    bool tabWasDown = false;
    bool f2WasDown = false;
    PictureKeyLatch pictureKeys;
    GameOptions options;
    // Whether the frame before this one played: only then is its length a playing frame's.
    bool previousFramePlayed = false;
    // The last frame's work, in ms: from its start to its swap, the swap too with vsync off.
    double previousWorkMs = 0.0;
    // Game time short of a whole tick, carried to the next frame.
    double carriedMs = 0.0;
    // What the player's update reads during a tick.
    RecordedInput tickInput;
    Recording recording;
    Recording replay;
    std::size_t replayNext = 0;
    bool replayActive = false;
    // The timedemo's playing frames, each from its start to the next's, in ms.
    std::vector<double> timedemoFrameMs;
    // The state the clock file last said, and the game time it said it at.
    std::string clockFileState;
    double clockFileSeconds = -1.0;
    // The run's clock and the state the frame ends in ("12.345 playing"), for scripts.
    void writeClockFile();
    void followFrameTime(double frameMs);
};

}  // namespace zarnhold
