#pragma once

#include "gfx/Texture.h"
#include "image/ProceduralPixels.h"

class Gfx;

// Procedural pixels and the texture made of them.
struct ProceduralTexture : ProceduralPixels {
    using ProceduralPixels::ProceduralPixels;
    Texture texture;

    // Creates the texture, with its mipmap chain, from the pixels.
    void upload(Gfx& g);
};

// The four textures the scenes share, filled and uploaded during loading.
struct ProceduralTextures {
    ProceduralTexture bigflare{512, 512, "bigflare"};
    ProceduralTexture surround{512, 512, "surround"};
    ProceduralTexture circle{64, 64, "circle"};
    ProceduralTexture flare{32, 32, "flare"};

    static ProceduralTextures build(Gfx& g);
};
