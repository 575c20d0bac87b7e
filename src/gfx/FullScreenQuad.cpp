#include "gfx/FullScreenQuad.h"

#include "gfx/Glu.h"

#include <string>
#include <utility>

#include "app/Fatal.h"
#include "gfx/PictureFile.h"

FullScreenQuad* fullScreenQuad = new FullScreenQuad;

GLuint FullScreenQuad::loadTexture(const char* path, uint8_t mipmapped)
{
    Picture picture;
    std::string error;
    if (!decodePicture(path, picture, error)) exitFatal("cannot load a picture: " + error);
    width = picture.width;
    height = picture.height;

    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    if (!mipmapped) {
        glTexImage2D(GL_TEXTURE_2D, 0, 4, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, picture.rgba.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    } else {
        gluBuild2DMipmaps(GL_TEXTURE_2D, 4, width, height, GL_RGBA, GL_UNSIGNED_BYTE, picture.rgba.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return name;
}

void FullScreenQuad::buildLists()
{
    quadList = glGenLists(1);
    glNewList(quadList, GL_COMPILE);
    glBegin(GL_TRIANGLE_STRIP);
    for (const auto& [x, y] : {std::pair{1.0f, 1.0f}, {0.0f, 1.0f}, {1.0f, 0.0f}, {0.0f, 0.0f}}) {
        glTexCoord2f(x, y);
        glVertex2f(x, y);
    }
    glEnd();
    glEndList();
}

void FullScreenQuad::releaseLists() { glDeleteLists(quadList, 1); }

void FullScreenQuad::beginOrtho(float w, float h)
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

void FullScreenQuad::endOrtho()
{
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

void FullScreenQuad::draw()
{
    beginOrtho(1, 1);
    glCallList(quadList);
    endOrtho();
}

void FullScreenQuad::drawRippled(float t, float scale)
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
