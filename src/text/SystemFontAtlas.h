#pragma once

// A TrueType face rasterised into one texture, with each character's rectangle in it.
struct SystemFontAtlas {
    SystemFontAtlas(const char* faceName, int height, bool bold, bool italic);
};

extern SystemFontAtlas* systemFontAtlas;
