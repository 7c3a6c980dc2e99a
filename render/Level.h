#pragma once

#include <vector>

#include "render/RoomBatches.h"
#include "run/AppState.h"
#include "scene/Object3D.h"
#include "scene/RoomGraph.h"

class btBvhTriangleMeshShape;
class btRigidBody;

namespace zarnhold {

class RunContext;
class LightCrystal;
class PhysicsWorld;

// The dungeon: one lit, shadowed mesh that is also the static collision body, and the
// owner (as creator) of the ten light crystals on its walls. Its triangles lie in the
// physics frame; it is drawn turned half a turn about x into the render frame.
// Its element buffer holds its triangles grouped by room, and each frame it draws only
// the rooms the eye can see through the openings between them (the shadow maps still get
// every triangle).
class Level : public AppState, public Object3D {
public:
    // Creates the light crystals, loads their model and adds them to the game's scene list.
    explicit Level(RunContext* game);

    // The collision body from the triangles, the textures, the upload, the rooms.
    void init() override;
    void render(glm::mat4 view, glm::mat4 projection, std::vector<Light*> lights) override;
    // Once every light's fixed shadows are cached: splits the rooms' runs by the lights that
    // may reach their triangles, so that a lit draw of a run uses those lights only.
    void groupByLights(const std::vector<Light*>& lights);
    // The runs of the element buffer that the camera can see, nearest rooms first; keeps
    // which rooms it saw for hidesSphere, and adds them to roomsSeen.
    std::vector<IndexRange> rangesSeenFrom(const glm::mat4& view, const glm::mat4& projection);
    // True when a sphere (render frame) lies wholly inside a room that this frame's draw
    // found out of sight: nothing in it can show. False before the level is drawn, or when
    // it draws every room.
    bool hidesSphere(glm::vec3 centre, float radius) const;

    RunContext* game = nullptr;
    // Created here, freed as scene objects.
    std::vector<LightCrystal*> lightCrystals;
    btBvhTriangleMeshShape* collisionShape = nullptr;
    // The static body (none for a level without triangles) and the run's physics that
    // owns it.
    btRigidBody* body = nullptr;
    PhysicsWorld* physics = nullptr;
    // Read in init from the rooms file beside the model; empty (the whole level is drawn)
    // when there is none.
    RoomGraph roomGraph;
    RoomBatches roomBatches;
    // Off, every frame draws the whole level; what is seen is the same.
    bool cullHiddenRooms = true;
    // The rooms the last draw saw, by room; empty when it drew every room.
    std::vector<RoomGraph::Sight> sights;
    // By room: whether any draw of this run has seen it (the eye's own rooms too), for the
    // map. Empty while every room is drawn.
    std::vector<bool> roomsSeen;

private:
    void groupByRoom();
};

}  // namespace zarnhold
