#include "FrameCompare.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// The names of the PNG files in a folder; false with the problem when it cannot be read.
bool pngNames(const std::string& dir, std::set<std::string>& names, std::string& problem)
{
    std::error_code error;
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error))
        if (it->path().extension() == ".png") names.insert(it->path().filename().string());
    if (error) problem = "cannot read the folder " + dir + ": " + error.message();
    return !error;
}

// A name of `from` that `other` lacks, said as a problem; empty when there is none.
std::string unpaired(const std::set<std::string>& from, const std::string& fromDir, const std::set<std::string>& other,
                     const std::string& otherDir)
{
    for (const std::string& name : from)
        if (other.count(name) == 0) return otherDir + " has no " + name + ", which " + fromDir + " has";
    return "";
}

std::string sizeOf(const Picture& picture)
{
    return std::to_string(picture.width) + "x" + std::to_string(picture.height);
}

}  // namespace

FrameDifference compareFrames(const Picture& a, const Picture& b)
{
    FrameDifference d;
    const int width = a.width, height = a.height;
    int64_t squares = 0;
    for (int top = 0; top < height; top += kBlockSide)
        for (int left = 0; left < width; left += kBlockSide) {
            const int right = std::min(left + kBlockSide, width), bottom = std::min(top + kBlockSide, height);
            int64_t sums[3] = {};
            for (int y = top; y < bottom; ++y)
                for (int x = left; x < right; ++x) {
                    // The decoder's rows run from the bottom up.
                    const uint8_t* p = a.at(x, height - 1 - y);
                    const uint8_t* q = b.at(x, height - 1 - y);
                    for (int c = 0; c < 3; ++c) {
                        const int difference = std::abs(p[c] - q[c]);
                        sums[c] += difference;
                        squares += difference * difference;
                    }
                }
            const double pixels = (right - left) * (bottom - top);
            for (int c = 0; c < 3; ++c)
                if (sums[c] / pixels > d.worstBlock) {
                    d.worstBlock = sums[c] / pixels;
                    d.blockX = left;
                    d.blockY = top;
                    d.channel = "RGB"[c];
                }
        }
    if (squares > 0) d.psnr = 10 * std::log10(255.0 * 255.0 * 3 * width * height / static_cast<double>(squares));
    return d;
}

FolderComparison compareFolders(const std::string& a, const std::string& b)
{
    std::set<std::string> inA, inB;
    std::string problem;
    if (!pngNames(a, inA, problem) || !pngNames(b, inB, problem)) return {{}, problem};
    problem = unpaired(inA, a, inB, b);
    if (problem.empty()) problem = unpaired(inB, b, inA, a);
    if (problem.empty() && inA.empty()) problem = "no PNG files in " + a + " or " + b;
    if (!problem.empty()) return {{}, problem};

    FolderComparison comparison;
    for (const std::string& name : inA) {
        const std::string pathA = (fs::path(a) / name).string(), pathB = (fs::path(b) / name).string();
        const Result<Picture> decodedA = decodePicture(pathA), decodedB = decodePicture(pathB);
        if (!decodedA) return {{}, decodedA.message()};
        if (!decodedB) return {{}, decodedB.message()};
        const Picture &pictureA = decodedA.value(), &pictureB = decodedB.value();
        if (pictureA.width != pictureB.width || pictureA.height != pictureB.height)
            return {{}, pathA + " is " + sizeOf(pictureA) + " but " + pathB + " is " + sizeOf(pictureB)};
        comparison.frames.push_back({name, compareFrames(pictureA, pictureB)});
    }
    return comparison;
}
