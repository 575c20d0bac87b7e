#include "text/SystemFontAtlas.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cstdio>

#include "gfx/Gfx.h"
#include "text/FontFile.h"

namespace {

constexpr int kSize = 512;

// The character a byte stands for in the Windows Western code page the atlas is laid out in.
FT_ULong codePoint(int code)
{
    static constexpr uint16_t high[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                          0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                          0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                          0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    return code >= 128 && code < 160 ? high[code - 128] : static_cast<FT_ULong>(code);
}

}  // namespace

std::vector<GlyphPlace> layoutAtlas(const std::array<int32_t, 256>& widths, int cellHeight, int spacing)
{
    std::vector<GlyphPlace> places;
    if (cellHeight <= 0) return places;
    uint8_t ch = 0;
    for (int y = cellHeight; y < kSize; y += cellHeight) {
        // x is where the current character ends.
        for (int x = widths[ch]; x < kSize;) {
            places.push_back({ch, x - widths[ch], y - cellHeight});
            ++ch;
            x += widths[ch] + spacing;
        }
    }
    return places;
}

void atlasRectangles(const std::vector<GlyphPlace>& places, const std::array<int32_t, 256>& widths, int cellHeight,
                     float glyphs[256][8])
{
    for (const GlyphPlace& g : places) {
        const float u0 = static_cast<float>(g.left) / kSize;
        const float u1 = static_cast<float>(g.left + widths[g.code]) / kSize;
        const float vTop = 1.0f - static_cast<float>(g.top) / kSize;
        const float vBottom = 1.0f - static_cast<float>(g.top + cellHeight) / kSize;
        const float corners[8] = {u0, vTop, u1, vTop, u1, vBottom, u0, vBottom};
        std::copy(corners, corners + 8, glyphs[g.code]);
    }
}

SystemFontAtlas::SystemFontAtlas(Gfx& g, const char* faceName, int height, bool bold, bool italic,
                                 const std::filesystem::path& bundledFonts)
{
    const int spacing = italic ? 4 : 2;
    cellHeight = static_cast<int32_t>(height * 1.333);

    const FontFile file = findFontFile(faceName, bold, italic, bundledFonts);
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    if (file.path.empty() || FT_Init_FreeType(&library) != 0 ||
        FT_New_Face(library, file.path.c_str(), 0, &face) != 0) {
        std::fprintf(stderr, "orvale-invit: no usable font for \"%s\"; the system font atlas stays empty\n", faceName);
        if (library) FT_Done_FreeType(library);
        return;
    }
    faceUsed = file.family;
    if (file.family != faceName)
        std::fprintf(stderr, "orvale-invit: font \"%s\" is not installed; using \"%s\" (%s)\n", faceName,
                     file.family.c_str(), file.path.c_str());

    // The cell height counts the whole Windows ascent and descent; the face's em is smaller.
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const double winHeight = os2 && os2->usWinAscent + os2->usWinDescent > 0
                                 ? os2->usWinAscent + os2->usWinDescent
                                 : face->ascender - face->descender;
    const double ppem = height * static_cast<double>(face->units_per_EM) / winHeight;
    FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(ppem * 64 + 0.5), 72, 72);
    const double winAscent = os2 ? os2->usWinAscent : face->ascender;
    const int baseline = static_cast<int>(winAscent * ppem / face->units_per_EM + 0.5);

    for (int c = 0; c < 256; ++c) {
        const FT_UInt glyph = FT_Get_Char_Index(face, codePoint(c));
        widths[c] = FT_Load_Glyph(face, glyph, FT_LOAD_DEFAULT) == 0
                        ? static_cast<int32_t>((face->glyph->advance.x + 32) >> 6)
                        : 0;
    }

    // White on black, top row first; alpha follows the coverage.
    std::vector<uint8_t> coverage(kSize * kSize, 0);
    const std::vector<GlyphPlace> places = layoutAtlas(widths, cellHeight, spacing);
    for (const GlyphPlace& g : places) {
        const FT_UInt glyph = FT_Get_Char_Index(face, codePoint(g.code));
        if (FT_Load_Glyph(face, glyph, FT_LOAD_RENDER) != 0) continue;
        const FT_Bitmap& bitmap = face->glyph->bitmap;
        const int x0 = g.left + face->glyph->bitmap_left, y0 = g.top + baseline - face->glyph->bitmap_top;
        for (unsigned row = 0; row < bitmap.rows; ++row)
            for (unsigned col = 0; col < bitmap.width; ++col) {
                const int x = x0 + static_cast<int>(col), y = y0 + static_cast<int>(row);
                if (x < 0 || y < 0 || x >= kSize || y >= kSize) continue;
                uint8_t& p = coverage[static_cast<size_t>(y) * kSize + x];
                p = std::max(p, bitmap.buffer[row * static_cast<unsigned>(bitmap.pitch) + col]);
            }
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    atlasRectangles(places, widths, cellHeight, glyphs);

    // The texture's first row is the picture's bottom one.
    std::vector<uint8_t> pixels(kSize * kSize * 4);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const uint8_t g = coverage[static_cast<size_t>(kSize - 1 - y) * kSize + x];
            uint8_t* p = pixels.data() + (static_cast<size_t>(y) * kSize + x) * 4;
            p[0] = p[1] = p[2] = p[3] = g;
        }
    texture = g.createTexture({.width = kSize, .height = kSize, .mipmapped = false, .repeat = false}, pixels.data());
}
