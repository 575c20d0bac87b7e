#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "gfx/Texture.h"

class Gfx;

// Where one character lands in the atlas picture: left and top edges in pixels, top-down.
struct GlyphPlace {
    int code;
    int left;
    int top;
};

// Packs the 256 character codes left to right into rows of `cellHeight` pixels across a
// 512 x 512 picture, `spacing` pixels apart, as many as fit. The code counter continues from
// row to row and wraps as a byte, so a code may be placed more than once (the last place
// counts) and codes that do not fit get none.
std::vector<GlyphPlace> layoutAtlas(const std::array<int32_t, 256>& widths, int cellHeight, int spacing);
// The characters' rectangles for those places, as the atlas keeps them: per code the texture
// coordinates (u0, vTop), (u1, vTop), (u1, vBottom), (u0, vBottom), v = 1 at the picture's top.
void atlasRectangles(const std::vector<GlyphPlace>& places, const std::array<int32_t, 256>& widths, int cellHeight,
                     float glyphs[256][8]);

// A TrueType face (found as findFontFile finds it, drawn by FreeType) rasterised white on black into a
// 512 x 512 texture, with each character's texture rectangle.
struct SystemFontAtlas {
    // Per code: the texture coordinates (u0, vTop), (u1, vTop), (u1, vBottom), (u0, vBottom).
    float glyphs[256][8] = {};
    std::array<int32_t, 256> widths{};  // advance widths in whole pixels
    int32_t cellHeight = 0;
    Texture texture;  // none when no face was usable
    std::string faceUsed;  // the family found, or empty when none was usable

    // `height` is the character cell height in pixels, as the classic Windows font API
    // takes it (ascent plus descent). `bundledFonts` is the data's fonts/ folder. Without a
    // usable face the atlas stays empty.
    SystemFontAtlas(Gfx& g, const char* faceName, int height, bool bold, bool italic,
                    const std::filesystem::path& bundledFonts);
};
