#include "run/LevelPlaces.h"

#include <cmath>

namespace zarnhold {

namespace {

LevelPlaces makePlaces() {
    LevelPlaces p;
    p.playerBodyStart = {0.0f, 0.0f, 6.5f};
    p.swordPhysicsPos = {0.0f, 0.5f, 0.0f};
    p.swordPickUpPhysicsZ = 1.5f;
    // The angles are 1.57 and 3.14 as written, not exact quarter and half turns.
    p.lightCrystals = {
        {{-6.7f, -4.0f, 51.0f}, -1.57f},  {{2.18f, -0.7f, 0.0f}, -1.57f},  {{-0.83f, -2.06f, 7.51f}, 1.57f},
        {{2.25f, 0.0f, 15.0f}, -1.57f},   {{0.0f, 0.8f, 26.0f}, 3.14f},    {{24.0f, -2.2f, 25.0f}, -1.57f},
        {{-15.15f, 0.6f, 0.0f}, 1.57f},   {{-11.6f, -0.6f, 76.6f}, 3.14f}, {{50.8f, -1.0f, 15.0f}, -1.57f},
        {{52.46f, -9.0f, 26.0f}, -1.57f},
    };
    p.goalCrystalRenderPos = {-11.55f, 1.0f, 75.2f};
    p.enemyBodyStarts = {
        {0.18f, 1.0f, -7.0f},     {-13.0f, -1.7f, -1.12f}, {-13.1f, -1.7f, 0.12f},  {-13.0f, -1.8f, 1.12f},
        {1.3f, -1.6f, -15.0f},    {0.3f, -1.6f, -16.0f},   {1.3f, -1.6f, -17.0f},   {1.3f, -1.6f, -14.0f},
        {0.3f, -1.6f, -13.0f},    {-1.3f, -1.6f, -15.0f},  {0.3f, -1.6f, -16.0f},   {-1.3f, -1.6f, -17.0f},
        {-1.3f, -1.6f, -13.0f},   {-1.3f, -1.6f, -15.0f},  {0.3f, -1.6f, -14.0f},   {18.0f, 0.0f, -24.0f},
        {17.0f, 0.0f, -28.0f},    {16.0f, 0.0f, -27.0f},   {15.0f, 0.0f, -26.0f},   {14.0f, 0.0f, -25.0f},
        {13.0f, 0.0f, -24.0f},    {14.0f, 0.0f, -23.0f},   {15.0f, 0.0f, -22.0f},   {16.0f, 0.0f, -28.0f},
        {17.0f, 0.0f, -27.0f},    {18.0f, 0.0f, -26.0f},   {16.0f, 0.0f, -25.0f},   {19.0f, 0.0f, -24.0f},
        {20.0f, 0.0f, -23.0f},    {21.0f, 0.0f, -22.0f},   {22.0f, 0.0f, -28.0f},   {13.0f, 0.0f, -27.0f},
        {14.0f, 0.0f, -26.0f},    {41.0f, -1.5f, -15.0f},  {38.0f, -1.48f, -10.0f}, {36.0f, -1.47f, -8.8f},
        {35.0f, -0.95f, -15.3f},  {48.0f, 6.0f, -27.0f},   {49.0f, 6.0f, -28.0f},   {50.0f, 6.0f, -29.0f},
        {51.0f, 6.0f, -26.0f},    {47.0f, 6.0f, -25.0f},   {46.0f, 6.0f, -24.0f},   {45.0f, 6.0f, -23.0f},
        {48.0f, -1.5f, -14.2f},   {48.5f, -1.5f, -15.2f},  {47.0f, -1.5f, -13.2f},  {47.5f, -1.5f, -12.2f},
        {46.5f, -1.5f, -16.2f},   {49.0f, -1.5f, -17.2f},  {48.5f, -1.5f, -14.2f},  {-9.7f, -1.68f, -25.2f},
        {-10.5f, -1.68f, -25.2f}, {-8.7f, -1.68f, -25.2f},
    };
    return p;
}

}  // namespace

glm::vec3 LightCrystalPlacement::physicsPos() const {
    return renderToPhysics(renderPos);
}

glm::vec3 LightCrystalPlacement::physicsFacing() const {
    // The crystal's model is turned by rotateY(angleRadians), which takes its +z here.
    const glm::vec3 renderFacing(std::sin(angleRadians), 0.0f, std::cos(angleRadians));
    return renderToPhysics(renderFacing);
}

const LevelPlaces& levelPlaces() {
    static const LevelPlaces places = makePlaces();
    return places;
}

glm::vec3 renderToPhysics(glm::vec3 renderPos) {
    return glm::vec3(renderPos.x, -renderPos.y, -renderPos.z);
}

}  // namespace zarnhold
