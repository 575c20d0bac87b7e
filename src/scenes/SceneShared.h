#pragma once

#include "scenes/SharedEmitters.h"

class BitmapFont;
class FullScreenQuad;
class Mesh;
struct FloorGrid;
struct Programs;
struct ProceduralTextures;

// What the scenes draw with besides their own pictures and state: made once during loading by
// the asset owner and lent to every draw.
struct SceneShared {
    const FullScreenQuad& quad;
    Programs& programs;  // some scenes set a program's uniforms as they draw
    const ProceduralTextures& textures;
    const FloorGrid& floor;
    const Mesh& rock;  // Scene B's meteor, stored
    const BitmapFont& font;
    SharedEmitters& emitters;
};
