#include "scenes/BurningScene.h"

#include "gfx/FullScreenQuad.h"

GLuint flashPicture = 0;
GLuint overlayPicture = 0;

void initBurningScene()
{
    overlayPicture = fullScreenQuad->loadTexture("data/gfx/overlay.png", 0);
    flashPicture = fullScreenQuad->loadTexture("data/gfx/flash.png", 0);
}

void drawBurningScene(float) {}

void releaseBurningScene()
{
    glDeleteTextures(1, &overlayPicture);
    glDeleteTextures(1, &flashPicture);
}
