#include "render/Level.h"

#include <GL/glew.h>
#include <btBulletDynamicsCommon.h>

#include "app/Game.h"
#include "app/PhysicsWorld.h"
#include "render/LightCrystal.h"
#include "render/LitDraw.h"
#include "scene/BmpLoader.h"
#include "scene/ObjLoader.h"
#include "scene/RoomLoader.h"
#include "scene/Rotation.h"

const std::vector<CrystalPlacement>& lightCrystalPlacements() {
    // The angles are 1.57 and 3.14 as written, not exact quarter and half turns.
    static const std::vector<CrystalPlacement> placements = {
        {{-6.7f, -4.0f, 51.0f}, -1.57f},  {{2.18f, -0.7f, 0.0f}, -1.57f},
        {{-0.83f, -2.06f, 7.51f}, 1.57f}, {{2.25f, 0.0f, 15.0f}, -1.57f},
        {{0.0f, 0.8f, 26.0f}, 3.14f},     {{24.0f, -2.2f, 25.0f}, -1.57f},
        {{-15.15f, 0.6f, 0.0f}, 1.57f},   {{-11.6f, -0.6f, 76.6f}, 3.14f},
        {{50.8f, -1.0f, 15.0f}, -1.57f},  {{52.46f, -9.0f, 26.0f}, -1.57f},
    };
    return placements;
}

Level::Level(Game* game) : game(game) {
    modelMatrix = rotateX(3.14f) * glm::mat4(1.0f);
    fixedInPlace = true;
    for (const CrystalPlacement& placement : lightCrystalPlacements()) {
        lightCrystals.push_back(new LightCrystal(game, placement.position, placement.angleRadians));
    }
    for (LightCrystal* crystal : lightCrystals) {
        readObjModel(*crystal, "External\\Models\\Lightcrystal.obj");
        game->addObject(crystal);
    }
}

void Level::init() {
    const std::vector<float> corners = positionFloats();
    // Bullet cannot build a hierarchy over no triangles: an unreadable level gets no body.
    if (corners.size() >= 9) {
        btTriangleMesh* mesh = new btTriangleMesh(true, true);
        for (std::size_t i = 0; i + 8 < corners.size(); i += 9) {
            mesh->addTriangle(btVector3(corners[i], corners[i + 1], corners[i + 2]),
                              btVector3(corners[i + 3], corners[i + 4], corners[i + 5]),
                              btVector3(corners[i + 6], corners[i + 7], corners[i + 8]), false);
        }
        collisionShape = new btBvhTriangleMeshShape(mesh, true, true);
        btTransform identity;
        identity.setIdentity();
        btDefaultMotionState* motionState = new btDefaultMotionState(identity);
        btRigidBody::btRigidBodyConstructionInfo info(0.0f, motionState, collisionShape,
                                                      btVector3(0, 0, 0));
        btRigidBody* body = new btRigidBody(info);
        game->world->addRigidBody(body);
        game->physics->adopt(body, motionState, collisionShape, mesh);
    }
    diffuseTexture = readBmpTexture("External\\Models\\Levels\\level.bmp");
    normalTexture = readBmpTexture("External\\Models\\Levels\\levelnormals.bmp");
    uploadMesh();
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
