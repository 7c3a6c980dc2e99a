#include "scene/BmpTexture.h"

#include <GL/glew.h>

#include "scene/BmpLoader.h"
#include "scene/GlLedger.h"

namespace zarnhold {

unsigned int readBmpTexture(const char* path, GlLedger* ledger) {
    BmpImage image;
    if (!readBmpFile(path, image)) return 0;

    GLuint texture = 0;
    glGenTextures(1, &texture);
    GlLedger::recordIn(ledger, GlLedger::Kind::Texture, texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    // The rows are padded to 4 bytes, the unpack alignment the game leaves at its
    // default, so GL reads exactly the buffer: odd widths come out right.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, image.width, image.height, 0, GL_BGR, GL_UNSIGNED_BYTE,
                 image.pixels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glGenerateMipmap(GL_TEXTURE_2D);
    return texture;
}

unsigned int readBmpTexture(const std::string& path, GlLedger* ledger) {
    return readBmpTexture(path.c_str(), ledger);
}

}  // namespace zarnhold
