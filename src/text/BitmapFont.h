#pragma once

#include <string_view>

#include "gfx/Gfx.h"

// The bitmap font: its picture of 16 x 4 glyph cells and one square of cellSize per character
// code 32 to 159, each moving the pen on by advance. Codes 96 to 159 reach below the picture
// and wrap back onto its rows (the picture repeats); other codes draw nothing and do not move
// the pen.
class BitmapFont {
public:
    BitmapFont(Texture picture, int cellSize, double advance);

    TextureId picture() const { return picture_.id(); }
    // Writes the text from the origin along +x in one draw, with the state and the picture,
    // in the current colour.
    void write(Gfx& g, const DrawState& state, std::string_view text) const;

private:
    Texture picture_;
    float cellSize_;
    float advance_;
};
