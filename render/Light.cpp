#include "render/Light.h"

#include "render/ShadowFaces.h"

namespace zarnhold {

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

}  // namespace zarnhold
