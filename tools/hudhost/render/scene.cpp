#include "render/scene.h"

#include <GL/gl.h>

#include <cmath>

namespace hudhost {
namespace {

constexpr float kPi = 3.14159265f;

// How each camera looks at the scene: the turn about x (downwards) and then about y.
struct View {
    bool perspective;
    float pitch;
    float yaw;
};

View viewOf(Camera camera) {
    switch (camera) {
        case Camera::MainPerspective:
            return {true, 25.0f, -35.0f};
        case Camera::Top:
            return {false, 90.0f, 0.0f};
        case Camera::Bottom:
            return {false, -90.0f, 0.0f};
        case Camera::Front:
            return {false, 0.0f, 0.0f};
        case Camera::Back:
            return {false, 0.0f, 180.0f};
        case Camera::Left:
            return {false, 0.0f, 90.0f};
        case Camera::Right:
            return {false, 0.0f, -90.0f};
        case Camera::Free:
            break;
    }
    return {false, 30.0f, 45.0f};
}

void compileGrid() {
    constexpr float kExtent = 3.0f;
    constexpr int kLines = 12;
    glBegin(GL_LINES);
    glColor3f(0.40f, 0.43f, 0.48f);
    for (int i = 0; i <= kLines; ++i) {
        const float at = -kExtent + 2.0f * kExtent * static_cast<float>(i) / kLines;
        glVertex3f(at, 0.0f, -kExtent);
        glVertex3f(at, 0.0f, kExtent);
        glVertex3f(-kExtent, 0.0f, at);
        glVertex3f(kExtent, 0.0f, at);
    }
    glColor3f(0.75f, 0.25f, 0.25f);  // x axis
    glVertex3f(0.0f, 0.001f, 0.0f);
    glVertex3f(kExtent, 0.001f, 0.0f);
    glColor3f(0.25f, 0.40f, 0.80f);  // z axis
    glVertex3f(0.0f, 0.001f, 0.0f);
    glVertex3f(0.0f, 0.001f, kExtent);
    glEnd();
}

// A torus around the y axis with smooth normals; the colour is the caller's.
void compileTorus() {
    constexpr float kMajor = 1.0f;
    constexpr float kMinor = 0.38f;
    constexpr int kRings = 48;
    constexpr int kSides = 24;
    for (int ring = 0; ring < kRings; ++ring) {
        glBegin(GL_QUAD_STRIP);
        for (int side = 0; side <= kSides; ++side) {
            const float v = 2.0f * kPi * static_cast<float>(side) / kSides;
            for (int r = ring + 1; r >= ring; --r) {
                const float u = 2.0f * kPi * static_cast<float>(r) / kRings;
                const float nx = std::cos(v) * std::cos(u);
                const float ny = std::sin(v);
                const float nz = std::cos(v) * std::sin(u);
                glNormal3f(nx, ny, nz);
                glVertex3f((kMajor + kMinor * std::cos(v)) * std::cos(u), kMinor * ny,
                           (kMajor + kMinor * std::cos(v)) * std::sin(u));
            }
        }
        glEnd();
    }
}

void setProjection(const View& view, int width, int height) {
    const double aspect = static_cast<double>(width) / height;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (view.perspective) {
        const double halfHeight = std::tan(20.0 * kPi / 180.0);  // 40 degrees vertical
        glFrustum(-halfHeight * aspect, halfHeight * aspect, -halfHeight, halfHeight, 1.0, 50.0);
    } else {
        constexpr double kHalfHeight = 2.6;
        glOrtho(-kHalfHeight * aspect, kHalfHeight * aspect, -kHalfHeight, kHalfHeight, 1.0, 50.0);
    }
}

void setLight() {
    const GLfloat direction[] = {-0.4f, 0.7f, 1.0f, 0.0f};  // from the upper left, behind the eye
    const GLfloat ambient[] = {0.18f, 0.18f, 0.20f, 1.0f};
    const GLfloat diffuse[] = {0.85f, 0.85f, 0.80f, 1.0f};
    const GLfloat specular[] = {0.6f, 0.6f, 0.6f, 1.0f};
    const GLfloat noAmbient[] = {0.0f, 0.0f, 0.0f, 1.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, noAmbient);
    glLightfv(GL_LIGHT0, GL_POSITION, direction);
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    glEnable(GL_LIGHT0);
}

void setMaterial() {
    const GLfloat specular[] = {0.5f, 0.5f, 0.5f, 1.0f};
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 40.0f);
}

}  // namespace

Scene::Scene(Camera camera, Rgb background) : camera_(camera), background_(background) {
    lists_ = glGenLists(2);
    glNewList(lists_, GL_COMPILE);
    compileGrid();
    glEndList();
    glNewList(lists_ + 1, GL_COMPILE);
    compileTorus();
    glEndList();
}

Scene::~Scene() {
    if (lists_ != 0) glDeleteLists(lists_, 2);
}

void Scene::render(int width, int height) const { pass(width, height, true); }

void Scene::setState(int width, int height) const { pass(width, height, false); }

// One sequence for both, so that a frame whose pixels are restored leaves the state a drawn one
// does.
void Scene::pass(int width, int height, bool drawn) const {
    const View view = viewOf(camera_);

    // Frame state: nothing is taken over from the previous frame.
    glViewport(0, 0, width, height);
    glClearColor(background_.red / 255.0f, background_.green / 255.0f, background_.blue / 255.0f,
                 1.0f);
    glClearDepth(1.0);
    glDepthMask(GL_TRUE);
    if (drawn) glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glShadeModel(GL_SMOOTH);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glLineWidth(1.0f);
    setProjection(view, width, height);

    // Camera: the light is fixed to the eye, so it is placed before the view turns.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    setLight();
    glTranslatef(0.0f, 0.0f, -9.0f);
    glRotatef(view.pitch, 1.0f, 0.0f, 0.0f);
    glRotatef(view.yaw, 0.0f, 1.0f, 0.0f);
    glTranslatef(0.0f, -0.6f, 0.0f);

    // The grid, unlit.
    glDisable(GL_LIGHTING);
    if (drawn) glCallList(lists_);

    // The torus, lit, standing tilted on the grid. Lighting stays on, as a modeller leaves it.
    glEnable(GL_LIGHTING);
    setMaterial();
    glColor3f(0.80f, 0.36f, 0.22f);
    if (drawn) {
        glPushMatrix();
        glTranslatef(0.0f, 1.2f, 0.0f);
        glRotatef(60.0f, 1.0f, 0.0f, 0.0f);
        glCallList(lists_ + 1);
        glPopMatrix();
    }
    // The torus's last normal is not left behind, so a frame that skips it ends the same.
    glNormal3f(0.0f, 0.0f, 1.0f);
}

}  // namespace hudhost
