#include "text/BitmapFont.h"

#include <utility>

BitmapFont::BitmapFont(Texture picture, int cellSize, double advance)
    : picture_(std::move(picture)), lists_(128)
{
    for (int i = 0; i < 128; ++i) {
        // Cells are counted from the picture's top-left; lists 64 to 127 reach below the
        // picture and wrap back onto its rows (the picture repeats).
        const float u0 = static_cast<float>(i % 16) * 0.0625f;
        const float vTop = 1.0f - static_cast<float>(i / 16) * 0.25f;
        const float vBottom = vTop - 0.25f;
        glNewList(lists_.base() + i, GL_COMPILE);
        glBegin(GL_QUADS);
        glTexCoord2f(u0, vBottom);
        glVertex2i(0, 0);
        glTexCoord2f(u0 + 0.0625f, vBottom);
        glVertex2i(cellSize, 0);
        glTexCoord2f(u0 + 0.0625f, vTop);
        glVertex2i(cellSize, cellSize);
        glTexCoord2f(u0, vTop);
        glVertex2i(0, cellSize);
        glEnd();
        glTranslated(advance, 0, 0);
        glEndList();
    }
}
