#include "render/gl_state.h"

#include <GL/gl.h>

#include <stdexcept>

namespace hudhost {
namespace {

using Values = std::vector<double>;

template <GLenum Capability>
Values capability() {
    return {static_cast<double>(glIsEnabled(Capability))};
}

template <GLenum Name, int Count>
Values integers() {
    GLint v[16] = {};
    glGetIntegerv(Name, v);
    return Values(v, v + Count);
}

template <GLenum Name, int Count>
Values floats() {
    GLfloat v[16] = {};
    glGetFloatv(Name, v);
    return Values(v, v + Count);
}

Values rasterPosition() {
    Values v = floats<GL_CURRENT_RASTER_POSITION, 4>();
    v.push_back(integers<GL_CURRENT_RASTER_POSITION_VALID, 1>()[0]);
    return v;
}

struct Probe {
    const char* name;
    Values (*read)();
};

// Everything the host's scene relies on, and everything a fixed-function overlay might touch.
const Probe kProbes[] = {
    {"depth test", capability<GL_DEPTH_TEST>},
    {"lighting", capability<GL_LIGHTING>},
    {"light 0", capability<GL_LIGHT0>},
    {"colour material", capability<GL_COLOR_MATERIAL>},
    {"blending", capability<GL_BLEND>},
    {"blend source", integers<GL_BLEND_SRC, 1>},
    {"blend destination", integers<GL_BLEND_DST, 1>},
    {"texturing", capability<GL_TEXTURE_2D>},
    {"face culling", capability<GL_CULL_FACE>},
    {"alpha test", capability<GL_ALPHA_TEST>},
    {"fog", capability<GL_FOG>},
    {"scissor test", capability<GL_SCISSOR_TEST>},
    {"stencil test", capability<GL_STENCIL_TEST>},
    {"current colour", floats<GL_CURRENT_COLOR, 4>},
    {"current normal", floats<GL_CURRENT_NORMAL, 3>},
    {"raster position", rasterPosition},
    {"matrix mode", integers<GL_MATRIX_MODE, 1>},
    {"model-view matrix", floats<GL_MODELVIEW_MATRIX, 16>},
    {"projection matrix", floats<GL_PROJECTION_MATRIX, 16>},
    {"texture matrix", floats<GL_TEXTURE_MATRIX, 16>},
    {"model-view stack depth", integers<GL_MODELVIEW_STACK_DEPTH, 1>},
    {"projection stack depth", integers<GL_PROJECTION_STACK_DEPTH, 1>},
    {"attribute stack depth", integers<GL_ATTRIB_STACK_DEPTH, 1>},
    {"client attribute stack depth", integers<GL_CLIENT_ATTRIB_STACK_DEPTH, 1>},
    {"list base", integers<GL_LIST_BASE, 1>},
    {"viewport", integers<GL_VIEWPORT, 4>},
    {"depth function", integers<GL_DEPTH_FUNC, 1>},
    {"depth mask", integers<GL_DEPTH_WRITEMASK, 1>},
    {"shade model", integers<GL_SHADE_MODEL, 1>},
    {"polygon mode", integers<GL_POLYGON_MODE, 2>},
    {"unpack alignment", integers<GL_UNPACK_ALIGNMENT, 1>},
    {"unpack row length", integers<GL_UNPACK_ROW_LENGTH, 1>},
    {"unpack skip pixels", integers<GL_UNPACK_SKIP_PIXELS, 1>},
    {"clear colour", floats<GL_COLOR_CLEAR_VALUE, 4>},
};

}  // namespace

GlState GlState::read() {
    GlState state;
    for (const Probe& probe : kProbes) state.pieces.push_back({probe.name, probe.read()});
    return state;
}

const std::vector<double>& GlState::operator[](std::string_view name) const {
    for (const Piece& piece : pieces) {
        if (piece.name == name) return piece.values;
    }
    throw std::out_of_range("no GL state called " + std::string(name));
}

void GlStateWatch::before() { before_ = GlState::read(); }

void GlStateWatch::after() {
    const GlState now = GlState::read();
    changed_.resize(now.pieces.size());
    for (std::size_t i = 0; i < now.pieces.size(); ++i) {
        if (now.pieces[i].values != before_.pieces.at(i).values) changed_[i] = true;
    }
}

std::vector<std::string> GlStateWatch::changed() const {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < changed_.size(); ++i) {
        if (changed_[i]) names.push_back(kProbes[i].name);
    }
    return names;
}

}  // namespace hudhost
