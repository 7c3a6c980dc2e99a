#include "app/Game.h"

#include <cstdio>
#include <cstdlib>

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include "app/AppState.h"
#include "app/Console.h"
#include "app/GameState.h"
#include "app/PhysicsWorld.h"
#include "app/Screen.h"
#include "render/CubeMapDebugger.h"
#include "render/Flicker.h"
#include "render/Light.h"

namespace {

[[noreturn]] void failStartUp(const char* line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
    consolePause();
    std::exit(-1);
}

}  // namespace

Game::Game() {
    gameOverScreen = new Screen("External\\Models\\GameOver.bmp");
    wonScreen = new Screen("External\\Models\\GameWin.bmp");
    introScreen = new Screen("External\\Models\\Intro.bmp");
    loadingScreen = new Screen("External\\Models\\Loading.bmp");
    cubeMapDebugger = new CubeMapDebugger();
    GameState = INTRO;
    health = 1000.0f;
}

Game::~Game() {
    std::printf("You filthy rat! You ended the game!\n");
    // The scene objects, pictures and physics world go with the process; only the lists
    // are released here.
    lightList.clear();
    shadowCasterRoot.children.clear();
    sceneObjects.clear();
}

void Game::reduceHealth(float amount) {
    health = health - amount;
}

float Game::getHealth() const {
    return health;
}

void Game::setWon() {
    GameState = WON;
}

void Game::addObject(AppState* object) {
    sceneObjects.push_back(object);
}

void Game::run() {
    startWindow();
    initPictures();
    while (running) {
        if (glfwWindowShouldClose(window)) {
            break;
        }
        currentTime = glfwGetTime();
        glfwPollEvents();

        // A picture that starts a run ends the frame's branches: the loading step has shown
        // its picture and the next frame plays.
        int state = GameState;
        if (state == PLAYING) {
            playFrame();
            if (health <= 0.0f) {
                GameState = GAME_OVER;
            }
            // An update may have called setWon; a health of 0 still wins over it.
            state = GameState;
        }
        if (state == INTRO) {
            pictureFrame(*introScreen, GLFW_KEY_SPACE);
            state = GameState == PLAYING ? -1 : GameState;
        }
        if (state == WON) {
            pictureFrame(*wonScreen, GLFW_KEY_ENTER);
            state = GameState == PLAYING ? -1 : GameState;
        }
        if (state == GAME_OVER) {
            pictureFrame(*gameOverScreen, GLFW_KEY_SPACE);
        }
        previousTime = currentTime;
        glfwSwapBuffers(window);
    }
    for (AppState* object : sceneObjects) {
        object->cleanup();
    }
    glfwTerminate();
}

void Game::startWindow() {
    if (glfwInit() != GLFW_TRUE) {
        failStartUp("GLFW says no!");
    }
    glfwWindowHint(GLFW_SAMPLES, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 2);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    const GLFWvidmode* mode = glfwGetVideoMode(glfwGetPrimaryMonitor());
    if (mode != nullptr) {
        height = static_cast<int>(mode->height / 1.2);
        width = static_cast<int>(mode->width / 1.2);
    }
    window = mode ? glfwCreateWindow(width, height, "Zarnhold", nullptr, nullptr) : nullptr;
    if (window == nullptr) {
        failStartUp("Window says no!");
    }
    glfwMakeContextCurrent(window);
    glewExperimental = GL_TRUE;
    const GLenum glewStatus = glewInit();
    if (glewStatus != GLEW_OK) {
        failStartUp(reinterpret_cast<const char*>(glewGetErrorString(glewStatus)));
    }
    previousTime = glfwGetTime();
    glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
}

void Game::initPictures() {
    introScreen->init();
    wonScreen->init();
    gameOverScreen->init();
    loadingScreen->init();
    cubeMapDebugger->init();
}

bool Game::keyDown(int key) const {
    return glfwGetKey(window, key) == GLFW_PRESS;
}

void Game::playFrame() {
    stepPhysics();
    flickerLights();
    updateObjects();
    running = !keyDown(GLFW_KEY_ESCAPE);
    GLint screenFramebuffer = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &screenFramebuffer);
    renderShadowMaps();
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(screenFramebuffer));
    glViewport(0, 0, width, height);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    renderObjects();
}

// One frame of a picture: the picture, the Escape test, and `startKey` starts a run.
void Game::pictureFrame(Screen& screen, int startKey) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    screen.render(view, projection, lightList);
    running = !keyDown(GLFW_KEY_ESCAPE);
    if (keyDown(startKey)) {
        loadingStep();
    }
}

void Game::loadingStep() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    loadingScreen->render(view, projection, lightList);
    glfwSwapBuffers(window);
    buildWorld();
    GameState = PLAYING;
}

void Game::stepPhysics() {
    physics->step(static_cast<float>(currentTime - previousTime));
}

void Game::flickerLights() {
    for (Light* light : lightList) {
        light->luminocity = flickerStep(light->luminocity, flickerRandom());
    }
}

void Game::updateObjects() {
    const double elapsedMs = (currentTime - previousTime) * 1000.0;
    for (AppState* object : sceneObjects) {
        object->update(elapsedMs);
    }
}

void Game::renderShadowMaps() {
    for (Light* light : lightList) {
        light->renderShadowMap(shadowCasterRoot);
    }
}

void Game::renderObjects() {
    for (AppState* object : sceneObjects) {
        object->render(view, projection, lightList);
    }
}
