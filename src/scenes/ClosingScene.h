#pragma once

#include <epoxy/gl.h>

// The closing picture on a white page, 145 to 207 s, under the invitation text pages; its
// initialisation also prepares the greeting emitters that Scene E draws.
extern GLuint closingPicture;
extern const char* const greetingNames[18];

void initClosingScene();
void drawClosingScene(float p);
void releaseClosingScene();
