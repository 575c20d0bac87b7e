#pragma once

#include <epoxy/gl.h>

// The bitmap font: its picture of 16 x 4 glyph cells and 128 display lists, one per
// character, each drawing a cellSize square and moving the pen on by advance. Character
// code c is list fontListBase + c − 32: callers set glListBase(fontListBase − 32) and call
// the lists with a string's bytes.
extern GLuint fontPicture;
extern GLuint fontListBase;

void buildBitmapFont(int cellSize, double advance);
