#pragma once

#include <limits>
#include <string>
#include <vector>

#include "image/PictureFile.h"

// The side of the square blocks whose mean differences are compared, in pixels.
inline constexpr int kBlockSide = 8;

// How far one picture is from another of the same size, on red, green and blue; alpha is not
// looked at.
struct FrameDifference {
    // Over the whole frame and the three channels, peak 255, in dB; infinite when they are the
    // same.
    double psnr = std::numeric_limits<double>::infinity();
    // The largest mean absolute difference of one block in one channel, in levels of 0 to 255.
    // Blocks lie on a grid from the picture's top-left corner; those at the right and bottom
    // edges have fewer pixels, and their mean is over the pixels they have.
    double worstBlock = 0;
    int blockX = 0, blockY = 0;  // that block's top-left corner, pixels from the picture's top-left
    char channel = 'R';          // and its channel: 'R', 'G' or 'B'
};

// Compares two decoded pictures of the same size (the caller checks the sizes). Of blocks
// equally far apart, the first in reading order is named (block rows from the top, blocks
// from the left, channels R, G, B).
FrameDifference compareFrames(const Picture& a, const Picture& b);

// What a frame may differ by and still count as the same picture.
struct FrameBounds {
    double minPsnr = 30;   // dB
    double maxBlock = 10;  // levels
};
inline bool withinBounds(const FrameDifference& d, const FrameBounds& bounds)
{
    return d.psnr >= bounds.minPsnr && d.worstBlock <= bounds.maxBlock;
}

// One frame of two folders: its file name and how the two copies differ.
struct FramePair {
    std::string name;
    FrameDifference difference;
};

// Every PNG file of two folders paired by name, in name order; or, when a name is in one
// folder only, two frames differ in size, or a folder or file cannot be read or decoded, the
// one line that names the problem, and no frames.
struct FolderComparison {
    std::vector<FramePair> frames;
    std::string problem;  // empty when every frame was compared
};
FolderComparison compareFolders(const std::string& a, const std::string& b);
