#include "FrameOutput.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "PictureScaling.h"
#include "PngWriter.h"
#include "app/FramePixels.h"

RgbPicture topDownRgb(const uint8_t* rgba, int width, int height)
{
    const std::vector<uint8_t> rows = flipRows(rgba, height, static_cast<size_t>(width) * 4);
    RgbPicture picture;
    picture.width = width;
    picture.height = height;
    picture.rgb.resize(static_cast<size_t>(width) * height * 3);
    for (size_t from = 0, to = 0; from < rows.size(); from += 4, to += 3)
        std::copy_n(rows.data() + from, 3, picture.rgb.data() + to);
    return picture;
}

namespace {
// The grid, in pixels.
constexpr int kCellWidth = 240;
constexpr int kLabelHeight = 22;  // the strip under each cell that holds its time
constexpr int kGap = 6;
constexpr int kMaxColumns = 8;
// The labels: their size (pixels to the em), where they start in their strip, their colour on
// the background's. The colours are 0.9 and (0.15, 0.15, 0.17) of full scale.
constexpr int kLabelPixels = 11;
constexpr int kLabelLeft = 2;
constexpr int kLabelTop = 4;
constexpr uint8_t kInk[3] = {230, 230, 230};
constexpr uint8_t kBackground[3] = {38, 38, 43};
}  // namespace

Storyboard::Storyboard(int cells, int frameWidth, int frameHeight, const std::string& faceFile)
    : cells_(std::max(cells, 1)),
      columns_(std::min(cells_, kMaxColumns)),
      cellWidth_(kCellWidth),
      cellHeight_(static_cast<int>(std::lround(kCellWidth * static_cast<double>(frameHeight) / frameWidth)))
{
    const int rows = (cells_ + columns_ - 1) / columns_;
    picture_ = RgbPicture(columns_ * (cellWidth_ + kGap) + kGap, rows * (cellHeight_ + kLabelHeight + kGap) + kGap,
                          kBackground[0], kBackground[1], kBackground[2]);
    std::string why;
    if (faceFile.empty())
        std::fprintf(stderr, "orvale-capture: no face file for the storyboard's times; its cells go unlabelled\n");
    else if (!font_.open(faceFile, kLabelPixels, why))
        std::fprintf(stderr, "orvale-capture: %s; the storyboard's cells go unlabelled\n", why.c_str());
}

void Storyboard::add(const RgbPicture& frame, int timeMs)
{
    if (filled_ == cells_) return;
    const int x = kGap + (filled_ % columns_) * (cellWidth_ + kGap);
    const int y = kGap + (filled_ / columns_) * (cellHeight_ + kLabelHeight + kGap);
    ++filled_;

    scaleInto(frame, picture_, x, y, cellWidth_, cellHeight_);
    char label[32];
    std::snprintf(label, sizeof label, "%d.%03d s", timeMs / 1000, timeMs % 1000);
    font_.draw(picture_, x + kLabelLeft, y + cellHeight_ + kLabelTop, label, kInk);
}

bool Storyboard::write(const std::string& path) const { return writePng(path, picture_); }
