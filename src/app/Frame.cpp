#include "app/Frame.h"

#include <epoxy/gl.h>
#include <GL/glu.h>

#include "app/DisplaySettings.h"

namespace {

// The projection every frame starts from: a 75 degree vertical field of view over the
// chosen resolution, whatever the window's client area.
void beginFrame()
{
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glViewport(0, 0, displaySettings.width, displaySettings.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(75.0, static_cast<double>(displaySettings.width) / displaySettings.height, 0.01, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
}

// Until the scenes exist: a square turning once every 4 s and a bar filling every 10 s.
void drawTimeMarker(int32_t t)
{
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glPushMatrix();
    glTranslatef(0.0f, 0.5f, -5.0f);
    glRotatef(static_cast<float>(t % 4000) * 0.09f, 0.0f, 0.0f, 1.0f);
    glColor3f(0.82f, 0.03f, 0.11f);
    glBegin(GL_QUADS);
    glVertex2f(-1.0f, -1.0f);
    glVertex2f(1.0f, -1.0f);
    glVertex2f(1.0f, 1.0f);
    glVertex2f(-1.0f, 1.0f);
    glEnd();
    glPopMatrix();

    const float fill = static_cast<float>(t % 10000) / 10000.0f;
    glPushMatrix();
    glTranslatef(0.0f, -2.0f, -5.0f);
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_QUADS);
    glVertex2f(-3.0f, -0.1f);
    glVertex2f(-3.0f + 6.0f * fill, -0.1f);
    glVertex2f(-3.0f + 6.0f * fill, 0.1f);
    glVertex2f(-3.0f, 0.1f);
    glEnd();
    glPopMatrix();
}

}  // namespace

void renderFrame(int32_t t)
{
    beginFrame();
    drawTimeMarker(t);
}
