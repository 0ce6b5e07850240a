#include "render/kept_scene.h"

#include <GL/gl.h>

namespace hudhost {
namespace {

// Rows of whole RGBA pixels, packed, whatever the pixel storage was left at.
void setPixelStore(GLenum alignment, GLenum rowLength, GLenum skipPixels, GLenum skipRows) {
    glPixelStorei(alignment, 4);
    glPixelStorei(rowLength, 0);
    glPixelStorei(skipPixels, 0);
    glPixelStorei(skipRows, 0);
}

}  // namespace

void KeptScene::keep() {
    const int width = shot_.width;
    const int height = shot_.height;
    pixels_.resize(static_cast<std::size_t>(width) * height * 4);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    setPixelStore(GL_PACK_ALIGNMENT, GL_PACK_ROW_LENGTH, GL_PACK_SKIP_PIXELS, GL_PACK_SKIP_ROWS);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels_.data());
    glPopClientAttrib();
}

void KeptScene::restore() const {
    // Save: what placing and drawing the pixels changes.
    glPushAttrib(GL_CURRENT_BIT | GL_ENABLE_BIT | GL_TRANSFORM_BIT);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();

    // Set: the raster position at the viewport's lower left corner, the pixels written as they
    // are (the scene's depth test would compare them and write their depth).
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glRasterPos2i(-1, -1);
    glDisable(GL_DEPTH_TEST);
    setPixelStore(GL_UNPACK_ALIGNMENT, GL_UNPACK_ROW_LENGTH, GL_UNPACK_SKIP_PIXELS,
                  GL_UNPACK_SKIP_ROWS);
    glDrawPixels(shot_.width, shot_.height, GL_RGBA, GL_UNSIGNED_BYTE, pixels_.data());

    // Restore: matrices, then the rest, matrix mode and raster position included.
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopClientAttrib();
    glPopAttrib();
}

}  // namespace hudhost
