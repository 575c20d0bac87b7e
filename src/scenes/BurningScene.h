#pragma once

#include <epoxy/gl.h>

// Scene B, 14.11 to 30 s: the ring of fire, the falling meteor, the shock wave and the flash.
extern GLuint flashPicture;    // also added over Scenes E and F
extern GLuint overlayPicture;  // multiplied over every finished frame

void initBurningScene();
void drawBurningScene(float p);
void releaseBurningScene();
