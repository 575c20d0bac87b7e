#include "gfx/ProceduralTexture.h"

#include "gfx/Gfx.h"

void ProceduralTexture::upload(Gfx& g)
{
    // Square power-of-two textures (all four) are sampled from their full size only; any other
    // would be sampled trilinearly from its mipmap chain. Both repeat.
    const bool square = width == height && (width == 32 || width == 64 || width == 128 || width == 256 ||
                                            width == 512 || width == 1024);
    texture = g.createTexture({.width = width, .height = height, .mipmapped = !square, .repeat = true}, pixels.data());
}

ProceduralTextures ProceduralTextures::build(Gfx& g)
{
    ProceduralTextures t;
    fillBigflare(t.bigflare);
    fillSurround(t.surround);
    fillCircle(t.circle);
    fillFlare(t.flare);
    t.flare.upload(g);
    t.bigflare.upload(g);
    t.circle.upload(g);
    t.surround.upload(g);
    return t;
}
