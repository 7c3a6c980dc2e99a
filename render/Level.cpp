#include "render/Level.h"

#include <GL/glew.h>
#include <btBulletDynamicsCommon.h>

#include "app/Game.h"
#include "app/LevelPlaces.h"
#include "app/PhysicsWorld.h"
#include "render/LightCrystal.h"
#include "render/LitDraw.h"
#include "scene/BmpLoader.h"
#include "scene/ObjLoader.h"
#include "scene/RoomLoader.h"
#include "scene/Rotation.h"

Level::Level(Game* game) : game(game) {
    modelMatrix = rotateX(3.14f) * glm::mat4(1.0f);
    fixedInPlace = true;
    for (const LightCrystalPlacement& placement : levelPlaces().lightCrystals) {
        lightCrystals.push_back(new LightCrystal(game, placement.renderPos, placement.angleRadians));
    }
    for (LightCrystal* crystal : lightCrystals) {
        readObjModel(*crystal, "External\\Models\\Lightcrystal.obj");
        game->addObject(crystal);
    }
}

void Level::init() {
    physics = game->physics.get();
    body = createLevelBody(*physics, positionFloats());
    collisionShape = body ? static_cast<btBvhTriangleMeshShape*>(body->getCollisionShape()) : nullptr;
    diffuseTexture = readBmpTexture("External\\Models\\Levels\\level.bmp");
    normalTexture = readBmpTexture("External\\Models\\Levels\\levelnormals.bmp");
    uploadMesh();
    groupByRoom();
}

void Level::cleanup() {
    // The run's own world: by now the game's world is the next run's.
    if (physics != nullptr) physics->removeBody(body);
}

void Level::groupByRoom() {
    roomGraph = readRoomGraph("External\\Models\\Levels\\Level1n.rooms");
    if (roomGraph.empty() || elementBuffer == 0) return;
    roomBatches.build(roomGraph, indexedPositions, indices);
    indices = roomBatches.drawOrder;
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, elementBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(indices[0])),
                 indices.data(), GL_STATIC_DRAW);
}

void Level::render(glm::mat4 view, glm::mat4 projection, std::vector<Light*> lights) {
    if (!cullHiddenRooms || roomGraph.empty()) {
        drawLit(*game, *this, view, projection, lights);
        return;
    }
    const std::vector<IndexRange> ranges = rangesSeenFrom(view, projection);
    drawLit(*game, *this, view, projection, lights, &ranges);
}

std::vector<IndexRange> Level::rangesSeenFrom(const glm::mat4& view, const glm::mat4& projection) const {
    const glm::mat4 modelView = view * modelMatrix;
    const glm::vec3 eye = glm::vec3(glm::inverse(modelView) * glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
    return roomBatches.rangesFor(roomGraph.seenRooms(projection * modelView, eye));
}
