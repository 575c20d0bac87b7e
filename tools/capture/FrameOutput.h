#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "LabelFont.h"
#include "RgbPicture.h"

// RGBA bytes as GL reads them (bottom row first) as a picture: top row first, alpha dropped.
RgbPicture topDownRgb(const uint8_t* rgba, int width, int height);

// A grid of small frames with their demo times written under them: cells 240 pixels wide and
// as high as the frames' aspect makes them, up to eight in a row, 6 pixels apart and from the
// edges, on dark grey.
class Storyboard {
public:
    // Room for `cells` frames of frameWidth x frameHeight pixels. The times are written with
    // the face in `faceFile`; without one, or when FreeType cannot use it, the cells go
    // unlabelled and one line on stderr says so.
    Storyboard(int cells, int frameWidth, int frameHeight, const std::string& faceFile);

    // Scales the frame into the next cell and labels it with its demo time (ms); frames past
    // the last cell are left out.
    void add(const RgbPicture& frame, int timeMs);
    const RgbPicture& picture() const { return picture_; }
    bool write(const std::string& path) const;

private:
    int cells_;
    int columns_;
    int cellWidth_;
    int cellHeight_;
    int filled_ = 0;
    RgbPicture picture_;
    LabelFont font_;
};
