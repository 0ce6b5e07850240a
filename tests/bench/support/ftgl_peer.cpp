#include "ftgl_peer.h"

#include <FTGL/ftgl.h>
#include <GL/gl.h>

namespace vantor::bench {

FtglPeer::FtglPeer(const char* path, int pixelHeight) : font_(new FTBitmapFont(path)) {
    if (font_->Error() == 0) font_->FaceSize(static_cast<unsigned int>(pixelHeight), 72);
}

FtglPeer::~FtglPeer() = default;

bool FtglPeer::ok() const { return font_->Error() == 0; }

void FtglPeer::drawLine(float x, float y, const char* text) {
    glRasterPos2f(x, y);
    font_->Render(text);
}

}  // namespace vantor::bench
