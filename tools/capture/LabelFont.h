#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <string>

#include "RgbPicture.h"

// A face file opened with FreeType for short lines of text drawn into a picture: anti-aliased,
// one colour blended over what is there by how much of each pixel the glyphs cover.
class LabelFont {
public:
    LabelFont() = default;
    ~LabelFont();
    LabelFont(const LabelFont&) = delete;
    LabelFont& operator=(const LabelFont&) = delete;

    // Opens the face file at `pixels` pixels to the em; false, with why in `why`, when FreeType
    // cannot start or cannot read it at that size.
    bool open(const std::string& file, int pixels, std::string& why);
    bool isOpen() const { return face_ != nullptr; }

    // Draws one line of ASCII text, the pen starting at column x and the line's top (the face's
    // ascent above the baseline) at row `top`, in the colour `ink` (red, green, blue). What falls
    // outside the picture is left out, as are characters the face cannot draw.
    void draw(RgbPicture& picture, int x, int top, const std::string& text, const uint8_t ink[3]) const;

private:
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
    int ascent_ = 0;  // pixels from the line's top down to the baseline
};
