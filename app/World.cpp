// The Game's world assembly: how one run is built and how the previous one is freed.
#include <random>

#include "app/Game.h"
#include "app/Platform.h"
#include "game/Arms.h"
#include "game/CameraState.h"
#include "game/Enemy.h"
#include "game/Sword.h"
#include "render/Crystal.h"
#include "render/Level.h"
#include "render/Light.h"
#include "render/RenderWorld.h"
#include "render/WindowCanvas.h"
#include "run/AppState.h"
#include "run/LevelPlaces.h"
#include "run/PhysicsWorld.h"
#include "scene/BmpTexture.h"
#include "scene/ObjLoader.h"

namespace zarnhold {

void Game::createPhysicsWorld() {
    retiredPhysics = std::move(physics);
    physics = std::make_unique<PhysicsWorld>();
    world = physics->world;
    broadphase = physics->broadphase;
    collisionConfiguration = physics->collisionConfiguration;
    dispatcher = physics->dispatcher;
    solver = physics->solver;
}

void Game::addObject(AppState* object) {
    sceneObjects.push_back(object);
}

void Game::addLight(Light* light) {
    lightList.push_back(light);
}

void Game::addShadowCaster(Node* caster) {
    shadowCasterRoot.children.push_back(caster);
}

void Game::clearWorld() {
    for (std::size_t i = 0; i < sceneObjects.size(); ++i) {
        sceneObjects[i]->cleanup();
        delete sceneObjects[i];
    }
    sceneObjects.clear();
    player = nullptr;
    lightList.clear();
    shadowCasterRoot = Node();
    enemyTemplate.reset();
    // Nothing of the previous run refers to its GL objects or its world any more.
    runGlObjects.releaseAll();
    graphics.endRun();
    if (vertexArray != 0) bindVertexArray(vertexArray);
    retiredPhysics.reset();
    // A run frees its meshes, bodies and the driver's blocks for them, spread through the
    // heap: given back now, the next run's fill pages anew instead of keeping both runs'
    // worth resident (twenty restarts grew 4 to 7 MB without it, 1 to 2 MB with it).
    Platform::returnFreedMemory();
}

void Game::buildWorld() {
    createPhysicsWorld();
    clearWorld();
    health = 1000.0f;
    healthTrail.reset(health);
    endCause = Harm::unknown;
    runWon = false;
    runSeconds = 0.0;
    ticksRun = 0;
    carriedMs = 0.0;
    showMap = false;
    paused = false;
    const std::uint64_t seed = nextRunSeed ? *nextRunSeed : std::random_device{}() * 0x100000001ull;
    nextRunSeed.reset();
    random.reseed(seed);
    recording = Recording{seed, {}};
    addRunContents();
    // By index: an init may append to the list. The driver frees far more than it keeps
    // while buffers, textures and depth cubes are made, in blocks it fills only in part: on
    // fresh pages their unwritten parts cost nothing, on pages just freed they are resident
    // whole. So the freed pages go back every eight objects and after each light: without
    // it, the soak's first two restarts kept 10 MB more resident than the first run.
    for (std::size_t i = 0; i < sceneObjects.size(); ++i) {
        sceneObjects[i]->init();
        if (i % 8 == 7) Platform::returnFreedMemory();
    }
    for (Light* light : lightList) {
        graphics.addLight(*light, &runGlObjects);
        graphics.cacheFixedCasters(*light, shadowCasterRoot);
        Platform::returnFreedMemory();
    }
    for (AppState* object : sceneObjects) {
        if (auto* level = dynamic_cast<Level*>(object)) level->groupByLights(lightList);
    }
}

// The level with its light crystals, the player, then the goal crystal, the sword and the
// enemies, in the order the frame relies on.
void Game::addRunContents() {
    Level* level = new Level(this);
    readObjModel(*level, "External\\Models\\Levels\\Level1n.obj");
    addObject(level);
    shadowCasterRoot.children.push_back(level);

    player = new CameraState(this, level);
    addObject(player);
    playerPosition = &player->position;

    Crystal* crystal = new Crystal(this);
    readObjModel(*crystal, "External\\Models\\crystal.obj");
    addObject(crystal);
    crystal->uploadMesh(&runGlObjects, graphics.litProgram());
    shadowCasterRoot.children.push_back(crystal);

    // Held in the view, it casts no shadow.
    Sword* sword = new Sword(player);
    readObjModel(*sword, "External\\Models\\sword.obj");
    addObject(sword);

    addEnemies(player, &sword->strike);
}

// Every enemy shares the template's meshes (one read-only copy of each), GL buffers,
// textures and the lit program; the template is the run's, on no list, and goes with the run.
void Game::addEnemies(CameraState* player, const SwordStrike* strike) {
    enemyTemplate = std::make_unique<Enemy>(player, 0.0f, 0.0f, 0.0f);
    std::vector<Enemy*> enemies;
    for (const glm::vec3& start : levelPlaces().enemyBodyStarts) {
        Enemy* enemy = new Enemy(player, start.x, start.y, start.z);
        enemy->sword = strike;
        enemy->id = static_cast<int>(enemies.size());
        enemies.push_back(enemy);
    }
    Enemy& model = *enemyTemplate;
    const unsigned int diffuse = readBmpTexture("External\\Models\\enemy.bmp", &runGlObjects);
    const unsigned int normals = readBmpTexture("External\\Models\\enemynormals.bmp", &runGlObjects);
    model.diffuseTexture = diffuse;
    model.normalTexture = normals;
    model.arms->diffuseTexture = diffuse;
    model.arms->normalTexture = normals;
    readObjModel(model, "External\\Models\\Enemy.obj");
    readObjModel(*model.arms, "External\\Models\\Arms.obj");
    model.uploadMesh(&runGlObjects, graphics.litProgram());
    model.arms->uploadMesh(&runGlObjects, graphics.litProgram());
    for (Enemy* enemy : enemies) {
        enemy->copyMeshFrom(model);
        enemy->arms->copyMeshFrom(*model.arms);
        addObject(enemy);
        shadowCasterRoot.children.push_back(enemy);
        shadowCasterRoot.children.push_back(enemy->arms.get());
    }
}

}  // namespace zarnhold
