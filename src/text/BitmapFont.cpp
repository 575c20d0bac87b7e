#include "text/BitmapFont.h"

#include <utility>

BitmapFont::BitmapFont(Texture picture, int cellSize, double advance)
    : picture_(std::move(picture)), cellSize_(static_cast<float>(cellSize)), advance_(static_cast<float>(advance))
{
}

void BitmapFont::write(Gfx& g, const DrawState& state, std::string_view text) const
{
    g.begin(Primitive::Quads, state.withTexture(picture_.id()));
    float pen = 0;
    for (const char c : text) {
        const int glyph = static_cast<unsigned char>(c) - 32;
        if (glyph < 0 || glyph >= 128) continue;
        // Cells are counted from the picture's top-left.
        const float u0 = static_cast<float>(glyph % 16) * 0.0625f;
        const float vTop = 1.0f - static_cast<float>(glyph / 16) * 0.25f;
        const float vBottom = vTop - 0.25f;
        g.texCoord(u0, vBottom);
        g.vertex(pen, 0, 0);
        g.texCoord(u0 + 0.0625f, vBottom);
        g.vertex(pen + cellSize_, 0, 0);
        g.texCoord(u0 + 0.0625f, vTop);
        g.vertex(pen + cellSize_, cellSize_, 0);
        g.texCoord(u0, vTop);
        g.vertex(pen, cellSize_, 0);
        pen += advance_;
    }
    g.end();
}
