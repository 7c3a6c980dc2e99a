#include "render/Level.h"

#include <GL/glew.h>
#include <btBulletDynamicsCommon.h>

#include "render/Light.h"
#include "render/LightCrystal.h"
#include "render/LitDraw.h"
#include "render/LitRules.h"
#include "render/RenderWorld.h"
#include "run/LevelPlaces.h"
#include "run/PhysicsWorld.h"
#include "run/RunContext.h"
#include "scene/BmpTexture.h"
#include "scene/ObjLoader.h"
#include "scene/RoomLoader.h"
#include "scene/Rotation.h"

namespace zarnhold {

Level::Level(RunContext* game) : game(game) {
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
    diffuseTexture = readBmpTexture("External\\Models\\Levels\\level.bmp", &game->runGlObjects);
    normalTexture = readBmpTexture("External\\Models\\Levels\\levelnormals.bmp", &game->runGlObjects);
    uploadMesh(&game->runGlObjects, game->renderWorld->litProgram());
    groupByRoom();
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

void Level::groupByLights(const std::vector<Light*>& lights) {
    if (roomGraph.empty() || elementBuffer == 0) return;
    const std::vector<unsigned int> masks =
        triangleLightMasks(indexedPositions, indices, modelMatrix, static_cast<int>(lights.size()),
                           [&](int light, glm::vec3 low, glm::vec3 high) {
                               return game->renderWorld->mayLight(*lights[light], low, high);
                           });
    roomBatches.build(roomGraph, indexedPositions, indices, &masks);
    indices = roomBatches.drawOrder;
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, elementBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(indices[0])),
                 indices.data(), GL_STATIC_DRAW);
}

void Level::render(glm::mat4 view, glm::mat4 projection, std::vector<Light*> lights) {
    sights.clear();
    if (!cullHiddenRooms || roomGraph.empty()) {
        drawLit(*game, *this, view, projection, lights);
        return;
    }
    const std::vector<IndexRange> ranges = rangesSeenFrom(view, projection);
    drawLit(*game, *this, view, projection, lights, &ranges);
}

std::vector<IndexRange> Level::rangesSeenFrom(const glm::mat4& view, const glm::mat4& projection) {
    const glm::mat4 modelView = view * modelMatrix;
    const glm::vec3 eye = glm::vec3(glm::inverse(modelView) * glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
    sights = roomGraph.seenRooms(projection * modelView, eye);
    roomsSeen.resize(sights.size(), false);
    for (std::size_t room = 0; room < sights.size(); ++room) {
        if (sights[room].depth >= 0) roomsSeen[room] = true;
    }
    return roomBatches.rangesFor(sights);
}

bool Level::hidesSphere(glm::vec3 centre, float radius) const {
    const glm::vec3 inLevel(glm::inverse(modelMatrix) * glm::vec4(centre, 1.0f));
    // The level's turn is not exactly half a turn: a little slack for it.
    return roomGraph.hidesSphere(sights, inLevel, radius * 1.01f + 0.02f);
}

}  // namespace zarnhold
