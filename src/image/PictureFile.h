#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/Result.h"

// A decoded picture: 8-bit RGBA, rows from the bottom of the picture up, as OpenGL takes them.
struct Picture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgba;

    // The pixel at column x of row y counted from the bottom.
    const uint8_t* at(int x, int y) const { return rgba.data() + (static_cast<size_t>(y) * width + x) * 4; }
};

// The largest picture side the intro takes, in pixels: far above any picture it ships (1024),
// far below what would exhaust memory when decoded (4096² RGBA is 64 MiB).
inline constexpr int32_t kMaxPictureSide = 4096;

// What a picture's bytes say they are, read from their structure before any decoding: the
// format from the signature, the size from the header, and whether the data runs to its end
// (a PNG's chunks up to IEND, a JPEG's end-of-image marker after its first scan).
struct PictureHeader {
    enum class Format { Png, Jpeg } format = Format::Png;
    int64_t width = 0;
    int64_t height = 0;
};
// Fails, with the reason (to follow the file's name, "is empty", "is not a PNG or JPEG
// picture", ...), for bytes the decoder must not be given.
Result<PictureHeader> readPictureHeader(const uint8_t* data, size_t size);

// Decodes PNG or JPEG bytes, by their content whatever the file is called, once their header
// has passed readPictureHeader. On failure says why, as readPictureHeader does.
Result<Picture> decodePictureBytes(const uint8_t* data, size_t size);
// Reads and decodes a picture file. On failure gives the file's path and what is wrong with it.
Result<Picture> decodePicture(const std::string& path);
