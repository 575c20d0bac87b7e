#pragma once

// The textures computed at load time: "circle", "flare", "bigflare" and "surround".
void buildProceduralTextures();
void releaseProceduralTextures();
