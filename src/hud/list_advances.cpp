// The platform's font metrics can differ from the advance a list was compiled with (under wine,
// GetCharWidth32A and wglUseFontBitmapsA disagree on a fifth of Arial's codes), so the advance is
// read from GL itself.
#include "hud/list_advances.h"

#include <GL/gl.h>

#include <cmath>

namespace vantor {
namespace {

int advanceOf(GLuint list) {
    GLfloat before[4];
    GLfloat after[4];
    glRasterPos2f(0.0f, 0.0f);
    glGetFloatv(GL_CURRENT_RASTER_POSITION, before);
    glCallList(list);
    glGetFloatv(GL_CURRENT_RASTER_POSITION, after);
    return static_cast<int>(std::lround(after[0] - before[0]));
}

void readRun(const ListRun& run) {
    for (int i = 0; run.base != 0 && i < run.count; ++i) {
        run.advances[i] = advanceOf(run.base + static_cast<GLuint>(i));
    }
}

}  // namespace

void readListAdvances(const ListRun& glyphs, const ListRun& characters) {
    glPushAttrib(GL_CURRENT_BIT | GL_SCISSOR_BIT | GL_TRANSFORM_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 0, 0);
    readRun(glyphs);
    readRun(characters);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();
}

}  // namespace vantor
