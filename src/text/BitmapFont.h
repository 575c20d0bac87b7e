#pragma once

#include <epoxy/gl.h>

#include "gfx/GLHandle.h"

// The bitmap font: its picture of 16 x 4 glyph cells and 128 display lists, one per
// character, each drawing a cellSize square and moving the pen on by advance. Character
// code c is list listBase() + c − 32: callers set glListBase(listBase() − 32) and call the
// lists with a string's bytes.
class BitmapFont {
public:
    BitmapFont(Texture picture, int cellSize, double advance);

    GLuint picture() const { return picture_.get(); }
    GLuint listBase() const { return lists_.base(); }

private:
    Texture picture_;
    DisplayLists lists_;
};
