#include "gfx/FullScreenQuad.h"

#include <utility>

FullScreenQuad FullScreenQuad::build()
{
    FullScreenQuad quad;
    quad.quadList_ = DisplayLists(1);
    glNewList(quad.quadList_.base(), GL_COMPILE);
    glBegin(GL_TRIANGLE_STRIP);
    for (const auto& [x, y] : {std::pair{1.0f, 1.0f}, {0.0f, 1.0f}, {1.0f, 0.0f}, {0.0f, 0.0f}}) {
        glTexCoord2f(x, y);
        glVertex2f(x, y);
    }
    glEnd();
    glEndList();
    return quad;
}

void beginOrtho(float w, float h)
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, w, 0, h, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST);
}

void endOrtho()
{
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

void FullScreenQuad::draw() const
{
    beginOrtho(1, 1);
    glCallList(quadList_.base());
    endOrtho();
}

void FullScreenQuad::drawRippled(float t, float scale) const
{
    beginOrtho(2, 2);
    glTranslated(1, 1, 0);
    glScalef(scale, scale, 1);
    glDepthMask(GL_FALSE);
    struct GLStrips {
        void beginStrip() { glBegin(GL_TRIANGLE_STRIP); }
        void vertex(const RippleVertex& v)
        {
            glTexCoord2f(v.u, v.v);
            glVertex2f(v.x, v.y);
        }
        void endStrip() { glEnd(); }
    } strips;
    rippleGrid(t, strips);
    glDepthMask(GL_TRUE);
    endOrtho();
}
