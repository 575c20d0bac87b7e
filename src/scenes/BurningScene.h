#pragma once

#include <epoxy/gl.h>

// Scene B, 14.11 to 30 s: the ring of fire, the falling meteor, the shock wave and the flash.
extern GLuint flashPicture;    // also added over Scenes E and F
extern GLuint overlayPicture;  // multiplied over every finished frame

void initBurningScene();
// The fire ring, the meteor's flames and the sparks, drawn with the given flare texture.
void configureBurningEmitters(GLuint flare);
void drawBurningScene(float p);
void releaseBurningScene();
