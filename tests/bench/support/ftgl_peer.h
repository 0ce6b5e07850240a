// Peer 1: FTGL's bitmap font. FTGL renders each glyph 1-bit with FreeType on its first use, keeps
// it, and draws it with glBitmap (three calls a glyph: move to the glyph's box, the bitmap, move
// back) from the current raster position.
#pragma once

#include <memory>

class FTFont;

namespace vantor::bench {

class FtglPeer {
public:
    // The font file at `path`, sized to `pixelHeight` pixels (points at 72 dpi).
    FtglPeer(const char* path, int pixelHeight);
    ~FtglPeer();
    FtglPeer(const FtglPeer&) = delete;
    FtglPeer& operator=(const FtglPeer&) = delete;

    bool ok() const;
    // One line with its first glyph's origin at (x, y) of the current projection.
    void drawLine(float x, float y, const char* text);

private:
    std::unique_ptr<FTFont> font_;
};

}  // namespace vantor::bench
