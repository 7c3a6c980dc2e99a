#include "render/Light.h"

#include "render/ShadowCubeRenderer.h"

Light::Light(float red, float green, float blue, float luminocity, float x, float y, float z, int kind,
             float spareX, float spareY, float spareZ, float cAtt, float lAtt, float eAtt)
    : color(red, green, blue),
      spare(spareX, spareY, spareZ),
      position(x, y, z),
      kind(kind),
      luminocity(luminocity),
      lAtt(lAtt),
      cAtt(cAtt),
      eAtt(eAtt) {}

glm::mat4 Light::faceMatrix(int face) const {
    return shadowFaceMatrix(position, face);
}

void Light::setUpShadowMap(DepthCubePool& cubes, GlLedger* ledger) {
    shadows.setUp(cubes, ledger);
    shadowCubeMap = shadows.cubeMap();
}

void Light::renderShadowMap(Node& root) {
    shadows.render(root, position);
}

void Light::cacheFixedCasters(Node& root) {
    shadows.cacheFixedCasters(root, position);
}

void Light::renderShadowMapReference(Node& root) {
    shadows.renderReference(root, position);
}

void Light::drawEveryCaster(Node& root, unsigned int framebuffer) {
    shadows.drawEveryCaster(root, framebuffer, position);
}

bool Light::mayLight(glm::vec3 low, glm::vec3 high) const {
    return shadows.mayLight(position, low, high);
}
