#include "LabelFont.h"

#include <cstddef>
#include <string>

LabelFont::~LabelFont()
{
    if (face_) FT_Done_Face(face_);
    if (library_) FT_Done_FreeType(library_);
}

bool LabelFont::open(const std::string& file, int pixels, std::string& why)
{
    FT_Error error = library_ ? 0 : FT_Init_FreeType(&library_);
    if (error != 0) {
        library_ = nullptr;
        why = "FreeType does not start (error " + std::to_string(error) + ")";
        return false;
    }
    FT_Face face = nullptr;
    error = FT_New_Face(library_, file.c_str(), 0, &face);
    if (error == 0) error = FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels));
    if (error != 0) {
        if (face) FT_Done_Face(face);
        why = "FreeType cannot read " + file + " at " + std::to_string(pixels) + " pixels (error " +
              std::to_string(error) + ")";
        return false;
    }
    if (face_) FT_Done_Face(face_);
    face_ = face;
    // The ascent is in 1/64 pixel; rounded up so that the tallest glyphs stay below the top.
    ascent_ = static_cast<int>((face_->size->metrics.ascender + 63) / 64);
    return true;
}

void LabelFont::draw(RgbPicture& picture, int x, int top, const std::string& text, const uint8_t ink[3]) const
{
    if (!face_) return;
    const int baseline = top + ascent_;
    FT_Pos pen = 0;  // from x, in 1/64 pixel
    for (const char c : text) {
        // Light hinting: heights snapped to whole pixels, the glyphs' widths and shapes kept.
        if (FT_Load_Char(face_, static_cast<unsigned char>(c), FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) continue;
        const FT_GlyphSlot glyph = face_->glyph;
        const FT_Bitmap& bitmap = glyph->bitmap;
        if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
            const int left = x + static_cast<int>((pen + 32) / 64) + glyph->bitmap_left;
            const int first = baseline - glyph->bitmap_top;  // the bitmap's top row
            for (int row = 0; row < static_cast<int>(bitmap.rows); ++row) {
                const int y = first + row;
                if (y < 0 || y >= picture.height) continue;
                const unsigned char* coverage = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
                for (int col = 0; col < static_cast<int>(bitmap.width); ++col) {
                    const int px = left + col;
                    const unsigned a = coverage[col];  // 0 to 255, how much of the pixel the glyph covers
                    if (px < 0 || px >= picture.width || a == 0) continue;
                    uint8_t* to = picture.at(px, y);
                    for (int k = 0; k < 3; ++k)
                        to[k] = static_cast<uint8_t>((to[k] * (255 - a) + ink[k] * a + 127) / 255);
                }
            }
        }
        // The face's own advance, not the hinted one rounded to whole pixels, which would spread
        // the line; each glyph then lands on the nearest whole pixel.
        pen += glyph->linearHoriAdvance / 1024;  // 1/65536 pixel to 1/64
    }
}
