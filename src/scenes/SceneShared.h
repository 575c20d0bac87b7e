#pragma once

#include "scenes/SharedEmitters.h"

class BitmapFont;
class FullScreenQuad;
struct FloorGrid;
struct IndexedMesh;
struct Programs;
struct ProceduralTextures;

// What the scenes draw with besides their own pictures and state: made once during loading by
// the asset owner and lent to every draw.
struct SceneShared {
    const FullScreenQuad& quad;
    const Programs& programs;
    const ProceduralTextures& textures;
    const FloorGrid& floor;
    const IndexedMesh& rock;  // Scene B's meteor
    const BitmapFont& font;
    SharedEmitters& emitters;
};
