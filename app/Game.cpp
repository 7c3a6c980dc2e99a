#include "app/Game.h"

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "app/Console.h"
#include "app/GamepadRules.h"
#include "app/HealthBar.h"
#include "app/OptionsPanelDraw.h"
#include "app/RecordingFile.h"
#include "app/Screen.h"
#include "app/TimedemoReport.h"
#include "app/WorldClock.h"
#include "app/WorldDigest.h"
#include "audio/OpenAlDevice.h"
#include "game/CameraState.h"
#include "game/Enemy.h"
#include "render/CubeMapDebugger.h"
#include "render/Flicker.h"
#include "render/Light.h"
#include "render/LitDraw.h"
#include "render/WindowCanvas.h"
#include "run/AppState.h"
#include "run/GameState.h"
#include "run/LevelPlaces.h"
#include "run/PhysicsWorld.h"
#include "run/PlayerInput.h"

namespace zarnhold {

namespace {

[[noreturn]] void failStartUp(const char* line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
    consolePause();
    std::exit(-1);
}

}  // namespace

Game::Game(const GameOptions& options)
    : resolutionScale([&options] {
          ResolutionScaleSettings settings;
          settings.targetFps = options.targetFps;
          return settings;
      }()),
      gameSound(std::make_unique<OpenAlDevice>(), &GameSound::Clock::now),
      options(options) {
    recordsTicks = !options.recordFile.empty();
    renderWorld = &graphics;
    gameOverScreen = new Screen("External\\Models\\GameOver.bmp");
    slainScreen = new Screen("External\\Models\\GameOverSlain.bmp");
    fellScreen = new Screen("External\\Models\\GameOverFell.bmp");
    helpScreen = new Screen("External\\Models\\Help.bmp");
    optionsScreen = new Screen("External\\Models\\Options.bmp");
    wonScreen = new Screen("External\\Models\\GameWin.bmp");
    introScreen = new Screen("External\\Models\\Intro.bmp");
    loadingScreen = new Screen("External\\Models\\Loading.bmp");
    pausedScreen = new Screen("External\\Models\\Paused.bmp");
    cubeMapDebugger = new CubeMapDebugger();
    GameState = INTRO;
    health = 1000.0f;
    lookSensitivity = options.sensitivity;
    invertLook = options.invertLook;
    fieldOfViewDegrees = options.fieldOfViewDegrees;
}

Game::~Game() {
    std::printf("You filthy rat! You ended the game!\n");
    // The pictures and the viewer live as long as the game: their memory goes with it (their
    // GL objects go with the context). A run's scene objects and physics world go with the
    // process; only the lists are released here.
    for (AppState* picture :
         {static_cast<AppState*>(gameOverScreen), static_cast<AppState*>(slainScreen),
          static_cast<AppState*>(fellScreen), static_cast<AppState*>(helpScreen),
          static_cast<AppState*>(optionsScreen), static_cast<AppState*>(wonScreen),
          static_cast<AppState*>(introScreen), static_cast<AppState*>(loadingScreen),
          static_cast<AppState*>(pausedScreen), static_cast<AppState*>(cubeMapDebugger)}) {
        delete picture;
    }
    lightList.clear();
    shadowCasterRoot.children.clear();
    sceneObjects.clear();
}

void Game::run() {
    startWindow();
    initPictures();
    gameSound.start(options.volume, options.mute);
    soundEvents = &gameSound;
    // A replay plays its run at once, without waiting on the intro.
    if (replayActive) loadingStep();
    while (keepsRunning()) {
        runFrame(Platform::seconds());
    }
    if (GameState == PLAYING) writeRecording();
    for (AppState* object : sceneObjects) {
        object->cleanup();
    }
    sceneTarget.release();
    harmOverlay.release();
    soundEvents = nullptr;
    gameSound.stop();
    Platform::stop();
}

bool Game::keepsRunning() const {
    return running && !platform.closeRequested();
}

void Game::runFrame(double nowSeconds) {
    currentTime = nowSeconds;
    Platform::pollEvents();
    followWindowSize();
    fitViewportToWindow(width, height);
    followFullscreenKeys();
    if (GameState == PLAYING) followFocus();
    const bool played = GameState == PLAYING && !paused;
    if (played) {
        // A frame after a picture, a pause or a run's build says nothing of how long play takes.
        if (previousFramePlayed) {
            if (options.timedemo) timedemoFrameMs.push_back((currentTime - previousTime) * 1000.0);
            followFrameTime(previousWorkMs);
        }
        playFrame();
    } else if (GameState == PLAYING) {
        drawPausedFrame();
    }
    previousFramePlayed = played;
    // An update may have called setWon; a health of 0 still wins over it.
    const FrameStep step =
        frameStep(static_cast<GameStateValue>(GameState), played, health, readFrameKeys(), pictureKeys);
    running = step.keepRunning;
    if (played && step.picture == GAME_OVER) {
        std::printf("%s\n", runEndLine(endCause));
        playSoundHere(Sound::gameOver);
    }
    if (played && step.picture == WON) playSoundHere(Sound::won);
    if (played && step.picture != PLAYING) writeRecording();
    if (played && replayActive) followReplayEnd(step.picture != PLAYING);
    if (step.picture != PLAYING) {
        GameState = step.picture;
        if (step.picture == INTRO) {
            followHelpKey();
            followOptionsKeys();
        }
        drawPicture(step.picture);
    }
    if (step.buildRun) {
        gameSound.stopRun();
        loadingStep();
    }
    followSound();
    gameSound.hush(GameState == PLAYING && paused);
    followCursorCapture();
    writeClockFile();
    previousTime = currentTime;
    // The automatic scale judges a frame by its work, not by the wait for the display. With
    // vsync on the swap waits, so the work is timed to a finish before it (a driver may draw
    // only when the frame is handed over: what was called is not yet what was drawn); off,
    // the swap is timed with the rest.
    if (options.vsync) {
        finishDrawing();
        previousWorkMs = (Platform::seconds() - currentTime) * 1000.0;
    }
    platform.swapBuffers();
    if (!options.vsync) previousWorkMs = (Platform::seconds() - currentTime) * 1000.0;
}

void Game::startWindow() {
    if (!Platform::start()) {
        failStartUp("GLFW says no!");
    }
    std::string glewError;
    if (Platform::gameWindowSize(width, height)) {
        // The scene carries its 4 samples off screen (SceneTarget): a window without them
        // costs less to clear and to swap. At a fixed full size it is drawn straight into a
        // multisampled window, exactly as ever.
        const int samples = options.fixedScale >= 1.0f ? sceneSamples : 0;
        window = Platform::openWindow(width, height, "Zarnhold", true, &glewError, samples);
    }
    if (window == nullptr) {
        failStartUp(glewError.empty() ? "Window says no!" : glewError.c_str());
    }
    platform = Platform(window);
    Platform::waitForDisplay(options.vsync);
    input = &platform;
    previousTime = Platform::seconds();
    if (options.fullscreen) platform.setFullscreen(true);
}

void Game::followFullscreenKeys() {
    if (window == nullptr) return;
    const bool f11 = input->keyDown(keys::f11);
    const bool altEnter =
        input->keyDown(keys::enter) && (input->keyDown(keys::leftAlt) || input->keyDown(keys::rightAlt));
    if ((f11 && !f11WasDown) || (altEnter && !altEnterWasDown))
        platform.setFullscreen(!platform.fullscreen());
    f11WasDown = f11;
    altEnterWasDown = altEnter;
}

void Game::followFocus() {
    // The pad's Start pauses and goes on, as players of any pad game expect.
    const bool start = input->pausePressed();
    if (start && !startWasDown && !replayActive) {
        paused = !paused;
        resumeHeld = false;
        input->anyKeyOrButton();
    }
    startWasDown = start;
    const bool focused = input->windowFocused();
    if (!paused && hadFocus && !focused && options.pauseOnFocusLoss && !replayActive) {
        paused = true;
        resumeHeld = false;
        // Forget the keys pressed in play: only one pressed after the pause goes on.
        input->anyKeyOrButton();
    } else if (paused && focused) {
        if (input->anyKeyOrButton()) {
            resumeHeld = true;
        } else if (resumeHeld) {
            paused = false;
        }
    }
    hadFocus = focused;
}

void Game::drawPausedFrame() {
    drawScene(boundFramebuffer(), sceneScale());
    drawOverlays();
    pausedScreen->renderIn(middlePanel(), width, height);
}

void Game::followCursorCapture() {
    const bool capture = GameState == PLAYING && !paused && !replayActive;
    if (window == nullptr || capture == cursorCaptured) return;
    platform.captureCursor(capture);
    cursorCaptured = capture;
    // The switch moves the cursor: no turn of the player's.
    if (player != nullptr) player->forgetCursor();
}

void Game::initPictures() {
    vertexArray = makeBoundVertexArray();
    introScreen->init();
    wonScreen->init();
    gameOverScreen->init();
    slainScreen->init();
    fellScreen->init();
    helpScreen->init();
    pausedScreen->init();
    optionsScreen->init();
    loadingScreen->init();
    cubeMapDebugger->init();
    automapView.init();
    sceneTarget.init();
    harmOverlay.init();
    bindVertexArray(vertexArray);
}

FrameKeys Game::readFrameKeys() const {
    FrameKeys frameKeys;
    frameKeys.escape = input->keyDown(keys::escape);
    frameKeys.space = input->keyDown(keys::space);
    // Alt+Enter fills the screen; it does not also leave the won picture.
    frameKeys.enter =
        input->keyDown(keys::enter) && !input->keyDown(keys::leftAlt) && !input->keyDown(keys::rightAlt);
    addPadKeys(frameKeys, input->gamepad());
    return frameKeys;
}

void Game::followWindowSize() {
    if (window == nullptr) return;
    int drawableWidth = 0, drawableHeight = 0;
    platform.framebufferSize(drawableWidth, drawableHeight);
    if (drawableWidth <= 0 || drawableHeight <= 0) return;
    if (drawableWidth == width && drawableHeight == height) return;
    width = drawableWidth;
    height = drawableHeight;
    // The player turns by the cursor's distance from the window's centre: left at the old
    // centre, the cursor would turn the view by the resize.
    if (input != nullptr) input->placeCursor(width / 2, height / 2);
}

// The automatic scale's changes are printed, so a player (or a script) can see where it
// settles.
void Game::followFrameTime(double frameMs) {
    const float before = resolutionScale.scale();
    const float after = resolutionScale.frameTook(frameMs);
    if (options.fixedScale <= 0.0f && after != before) std::printf("scene scale %.2f\n", after);
}

float Game::sceneScale() const {
    return options.fixedScale > 0.0f ? options.fixedScale : resolutionScale.scale();
}

void Game::playFrame() {
    // Looking follows every frame; a replay's view comes with its ticks. The stick turns by
    // the frame's game time, so a stall (a run's build) does not fling the view.
    if (player != nullptr && !replayActive) {
        const double stickSeconds = worldAdvanceMs((currentTime - previousTime) * 1000.0) / 1000.0;
        turnByStick(player->horizontalAngle, player->verticalAngle, input->gamepad().rightStick,
                    stickSeconds);
        player->look(*input);
    }
    // A timedemo advances the world by the most a frame may, whatever the frame took, so
    // its world is the same as at any frame rate.
    const double worldMs =
        advanceWorld(options.timedemo ? longestWorldStepMs : (currentTime - previousTime) * 1000.0);
    healthTrail.follow(health, worldMs);
    const unsigned int screenFramebuffer = boundFramebuffer();
    renderShadowMaps();
    drawScene(screenFramebuffer, sceneScale());
    followOverlayKeys();
    drawOverlays();
}

void Game::followOverlayKeys() {
    followHelpKey();
    followOptionsKeys();
    const bool f3 = input->keyDown(keys::f3);
    if (f3 && !f3WasDown) showCubeMapViewer = !showCubeMapViewer;
    f3WasDown = f3;
    const bool tab = input->keyDown(keys::tab);
    if (tab && !tabWasDown) showMap = !showMap;
    tabWasDown = tab;
}

void Game::followHelpKey() {
    const bool f1 = input->keyDown(keys::f1) || input->gamepad().back;
    if (f1 && !f1WasDown) showHelp = !showHelp;
    f1WasDown = f1;
}

void Game::drawOverlays() {
    if (player != nullptr) {
        harmOverlay.draw(player->harmMarks.sides(player->horizontalAngle), player->harmMarks.flash());
    }
    drawHealthBar(layoutHealthBar(width, height, health, healthTrail.trail()));
    if (showCubeMapViewer) drawCubeMapViewer();
    if (showMap && player != nullptr) automapView.draw(*player, width, height);
    if (showHelp) drawHelp();
    if (showOptions) drawOptions();
}

// Over the middle of the view, 0.6 of it each way.
void Game::drawHelp() {
    helpScreen->renderIn(middlePanel(), width, height);
}

PixelRect Game::middlePanel() const {
    return {(width - width * 3 / 5) / 2, (height - height * 3 / 5) / 2, width * 3 / 5, height * 3 / 5};
}

// In the upper right quarter, over the scene: the second light's depths in the direction
// the player looks, as if standing at the light.
void Game::drawCubeMapViewer() {
    cubeMapDebugger->renderInCorner(view, projection, lightList, width, height);
}

// The intro, game-over or won picture, over whatever the frame drew before it.
void Game::drawPicture(GameStateValue picture) {
    Screen* screen = picture == INTRO ? introScreen : picture == WON ? wonScreen : gameOverPicture();
    clearWindow();
    screen->render(view, projection, lightList);
    // The intro says F1 gives the help: it shows there as in play.
    if (picture == INTRO && showHelp) drawHelp();
    if (picture == INTRO && showOptions) drawOptions();
}

void Game::followOptionsKeys() {
    const PanelKeys held{input->keyDown(keys::up), input->keyDown(keys::down), input->keyDown(keys::left),
                         input->keyDown(keys::right)};
    const bool f2 = input->keyDown(keys::f2);
    if (f2 && !f2WasDown) {
        showOptions = !showOptions;
        optionsPanel.show(held);
    }
    f2WasDown = f2;
    if (!showOptions) return;
    const std::optional<int> changed = optionsPanel.follow(held, options);
    if (!changed) return;
    applySettings();
    saveSetting(*changed);
}

void Game::applySettings() {
    lookSensitivity = options.sensitivity;
    invertLook = options.invertLook;
    fieldOfViewDegrees = options.fieldOfViewDegrees;
    gameSound.setVolume(options.volume);
    if (window != nullptr) Platform::waitForDisplay(options.vsync);
}

// Only the changed setting goes to the file: the others it holds stay as they are there,
// the command line's included.
void Game::saveSetting(int row) {
    options.savedSettings = OptionsPanel::withRow(options.savedSettings, options, row);
    if (options.settingsFile.empty()) return;
    if (!saveSettingsFile(options.settingsFile, options.savedSettings)) {
        std::printf("The settings could not be written: %s\n", options.settingsFile.c_str());
    }
}

// Over the middle of the view, as the help is: the picture, then the values over it.
void Game::drawOptions() {
    const PixelRect panel = middlePanel();
    optionsScreen->renderIn(panel, width, height);
    drawOptionsPanel(layoutOptionsPanel(panel, options, optionsPanel.chosenRow()));
}

Screen* Game::gameOverPicture() const {
    switch (endCause) {
        case Harm::creature: return slainScreen;
        case Harm::fall: return fellScreen;
        case Harm::unknown: break;
    }
    return gameOverScreen;
}

void Game::loadingStep() {
    clearWindow();
    loadingScreen->render(view, projection, lightList);
    platform.swapBuffers();
    buildWorld();
    GameState = PLAYING;
}

double Game::advanceWorld(double elapsedMs) {
    const double worldMs = worldAdvanceMs(elapsedMs);
    carriedMs += worldMs;
    // A replay played out stops the ticks too, so its end falls on the same tick at any
    // frame rate.
    const auto ticksGoOn = [this] {
        return !runHasEnded() && !(replayActive && replayNext >= replay.ticks.size());
    };
    while (carriedMs >= tickMs && ticksGoOn()) {
        carriedMs -= tickMs;
        runTick();
    }
    // An ended run stands still where its last tick left it.
    if (!ticksGoOn()) carriedMs = tickMs;
    const double tickFraction = carriedMs / tickMs;
    for (AppState* object : sceneObjects) {
        object->pose(tickFraction);
    }
    followCamera();
    return worldMs;
}

void Game::runTick() {
    const TickInput tick = nextTickInput();
    // A recording holds what a replay can read back: the longest a file may hold.
    if (recordsTicks && recording.ticks.size() < kMaxRecordingTicks) recording.ticks.push_back(tick);
    if (player != nullptr) {
        player->horizontalAngle = tick.horizontalAngle;
        player->verticalAngle = tick.verticalAngle;
    }
    tickInput.hold(tick, glm::dvec2(width / 2, height / 2));
    PlayerInput* live = input;
    input = &tickInput;
    physics->tick();
    flickerLights();
    updateObjects(tickMs);
    input = live;
    ++ticksRun;
    runSeconds = static_cast<double>(ticksRun) * tickMs / 1000.0;
    if (afterTick) afterTick();
}

TickInput Game::nextTickInput() {
    if (replayActive && replayNext < replay.ticks.size()) return replay.ticks[replayNext++];
    const double h = player != nullptr ? player->horizontalAngle : 0.0;
    const double v = player != nullptr ? player->verticalAngle : 0.0;
    if (input == nullptr) {
        TickInput still;
        still.horizontalAngle = h;
        still.verticalAngle = v;
        return still;
    }
    return readTickInput(*input, h, v);
}

bool Game::runHasEnded() const {
    return health <= 0.0f || runWon;
}

void Game::startReplay(const Recording& played) {
    replay = played;
    replayNext = 0;
    replayActive = true;
    nextRunSeed = played.seed;
}

void Game::followReplayEnd(bool runEnded) {
    const bool playedOut = replayNext >= replay.ticks.size();
    if (!runEnded && !playedOut) return;
    replayActive = false;
    const char* outcome = !runEnded ? "unfinished" : health <= 0.0f ? "game over" : "won";
    std::printf("replay %s after %.2f s of game time, world %016llx\n", outcome, runSeconds,
                static_cast<unsigned long long>(worldChecksum(*this)));
    if (options.timedemo) {
        reportTimedemo();
        running = false;
    }
}

void Game::reportTimedemo() const {
    std::printf("%s\n", timedemoLine(summariseFrames(timedemoFrameMs)).c_str());
}

void Game::writeRecording() const {
    if (options.recordFile.empty()) return;
    if (!writeRecordingFile(options.recordFile, recording)) {
        std::printf("The recording could not be written: %s\n", options.recordFile.c_str());
        return;
    }
    // What a replay of it must reach.
    std::printf("recorded %zu ticks to %s, world %016llx\n", recording.ticks.size(),
                options.recordFile.c_str(), static_cast<unsigned long long>(worldChecksum(*this)));
}

void Game::followSound() {
    std::vector<glm::vec3> humPlaces;
    std::vector<float> humLevels;
    for (const Light* light : lightList) {
        humPlaces.push_back(light->position);
        humLevels.push_back(light->luminocity);
    }
    gameSound.follow(view, humPlaces, humLevels, levelPlaces().goalCrystalRenderPos, GameState == PLAYING);
}

// Written whole under another name and then renamed, so a reader never sees half a line;
// only when the state changes or a tenth of a second of game time has passed.
void Game::writeClockFile() {
    if (options.clockFile.empty()) return;
    const char* state = GameState == PLAYING     ? (paused ? "paused" : "playing")
                        : GameState == WON       ? "won"
                        : GameState == GAME_OVER ? "game-over"
                                                 : "intro";
    if (state == clockFileState && std::abs(runSeconds - clockFileSeconds) < 0.1) return;
    clockFileState = state;
    clockFileSeconds = runSeconds;
    const std::string partial = options.clockFile + ".partial";
    std::FILE* file = std::fopen(partial.c_str(), "w");
    if (file == nullptr) return;
    // Where the eye is, so that a test can tell a player standing still from the flicker.
    const glm::vec3 eye = player != nullptr ? player->getPosition() : glm::vec3(0.0f);
    std::fprintf(file, "%.3f %s %.3f %.3f %.3f\n", runSeconds, state, eye.x, eye.y, eye.z);
    std::fclose(file);
    std::rename(partial.c_str(), options.clockFile.c_str());
}

void Game::flickerLights() {
    for (int step = 0; step < flickerStepsInTick(ticksRun); ++step) {
        for (Light* light : lightList) {
            light->luminocity = flickerStep(light->luminocity, random.unit());
        }
    }
}

// The view and projection the player's eye gives, which every draw of the frame uses.
void Game::followCamera() {
    if (player == nullptr) return;
    view = player->viewMatrix;
    projection = player->projectionMatrix;
}

void Game::updateObjects(double worldMs) {
    for (AppState* object : sceneObjects) {
        object->update(worldMs);
    }
    if (player != nullptr) player->applyPushes();
    followCamera();
}

// A cube map that nothing samples this frame waits: its light brings it up to date from
// its cache once something does, with the same result.
void Game::renderShadowMaps() {
    const std::vector<bool> sampled = lightsSampledThisFrame();
    for (std::size_t i = 0; i < lightList.size(); ++i) {
        if (sampled[i]) {
            graphics.renderShadowMap(*lightList[i], shadowCasterRoot);
        }
    }
}

void Game::renderShadowMapsPlain() {
    for (Light* light : lightList) {
        graphics.renderShadowMapReference(*light, shadowCasterRoot);
    }
}

std::vector<bool> Game::lightsSampledThisFrame() const {
    if (playerPosition == nullptr) {
        return std::vector<bool>(lightList.size(), true);
    }
    std::vector<bool> sampled(lightList.size(), false);
    for (const LitLightSlot& slot : selectLitLights(*playerPosition, lightList)) {
        sampled[static_cast<std::size_t>(slot.listIndex)] = true;
    }
    if (showCubeMapViewer && lightList.size() >= 2) {
        sampled[1] = true;
    }
    return sampled;
}

void Game::clearWindow() {
    clearWholeFramebuffer();
}

void Game::drawScene(unsigned int screenFramebuffer, float scale) {
    sceneTarget.begin(screenFramebuffer, width, height, scale);
    clearWindow();
    renderObjects();
    sceneTarget.present();
}

void Game::renderObjects() {
    for (AppState* object : sceneObjects) {
        object->render(view, projection, lightList);
    }
}

}  // namespace zarnhold
