#include "gfx/ProceduralTexture.h"

void buildProceduralTextures() {}
void releaseProceduralTextures() {}
