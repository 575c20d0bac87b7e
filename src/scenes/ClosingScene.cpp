#include "scenes/ClosingScene.h"

#include "gfx/FullScreenQuad.h"
#include "gfx/Shaping.h"
#include "timeline/Timeline.h"

GLuint closingPicture = 0;

void initClosingScene() { closingPicture = fullScreenQuad->loadTexture("data/gfx/orvale_25.png", 0); }

void drawClosingScene(float p)
{
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    const float a = linearStep(p, 0, 0.05f), b = linearStep(p, 0.9f, 0.95f);
    ClearLevel = 1.0f;
    glDisable(GL_FOG);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    // The poster, 2.24 x 2.59 scaled by half, 1.12 in front of the eye: three quarters of
    // the screen's height, centred, fading in over 5 % of the window and out from 90 % to 95 %.
    glLoadIdentity();
    glTranslatef(0, 0, -1.12f);
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, a - b);
    glScalef(0.5f, 0.5f, 1);
    glBindTexture(GL_TEXTURE_2D, closingPicture);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(-1.12f, -1.295f);
    glTexCoord2f(1, 0);
    glVertex2f(1.12f, -1.295f);
    glTexCoord2f(1, 1);
    glVertex2f(1.12f, 1.295f);
    glTexCoord2f(0, 1);
    glVertex2f(-1.12f, 1.295f);
    glEnd();
}

void releaseClosingScene() { glDeleteTextures(1, &closingPicture); }
