#include "gfx/PictureFile.h"

#include <IL/il.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// Files larger than this are not pictures the intro ships (the largest is 160 KB).
constexpr long kMaxFileBytes = 64L << 20;

uint32_t bigEndian32(const uint8_t* p) { return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3]; }
uint32_t bigEndian16(const uint8_t* p) { return uint32_t{p[0]} << 8 | p[1]; }

constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

// The chunks from the signature on: IHDR first (its size), then chunk after chunk to IEND.
bool readPng(const uint8_t* data, size_t size, PictureHeader& header, std::string& why)
{
    size_t at = sizeof kPngSignature;
    if (size < at + 8 + 13 + 4 || std::memcmp(data + at + 4, "IHDR", 4) != 0 || bigEndian32(data + at) != 13) {
        why = "is a damaged PNG picture (no image header)";
        return false;
    }
    header.format = PictureHeader::Format::Png;
    header.width = bigEndian32(data + at + 8);
    header.height = bigEndian32(data + at + 12);
    for (;;) {
        const uint32_t length = size - at >= 12 ? bigEndian32(data + at) : 0;
        if (size - at < 12 || length > 0x7fffffffu || length > size - at - 12) {
            why = "is cut short (a PNG picture without its end)";
            return false;
        }
        if (std::memcmp(data + at + 4, "IEND", 4) == 0) return true;
        at += 12 + length;
    }
}

bool isRestart(uint8_t marker) { return marker >= 0xd0 && marker <= 0xd7; }

// The markers from the start of the image to its end: every segment's length must fit in the
// data, the first frame header gives the size, and after each scan the entropy-coded data
// runs to the next marker (inside it 0xff is followed only by 0x00, a restart marker or more
// 0xff). The image must reach its end-of-image marker after a scan; the decoder is never left
// to look for data past the end.
bool readJpeg(const uint8_t* data, size_t size, PictureHeader& header, std::string& why)
{
    header.format = PictureHeader::Format::Jpeg;
    bool sized = false, scanned = false;
    size_t at = 2;
    for (;;) {
        if (scanned)
            while (at + 1 < size && !(data[at] == 0xff && data[at + 1] != 0x00 && !isRestart(data[at + 1]) &&
                                      data[at + 1] != 0xff))
                ++at;
        while (at + 1 < size && data[at] == 0xff && data[at + 1] == 0xff) ++at;  // fill bytes
        if (size - at < 2) {
            why = "is cut short (a JPEG picture without its end)";
            return false;
        }
        if (data[at] != 0xff) {
            why = "is a damaged JPEG picture";
            return false;
        }
        const uint8_t marker = data[at + 1];
        if (marker == 0xd9) {
            if (sized && scanned) return true;
            why = "is a damaged JPEG picture (no image before its end)";
            return false;
        }
        if (isRestart(marker) || marker == 0x01) {  // markers without a segment
            at += 2;
            continue;
        }
        const size_t length = size - at >= 4 ? bigEndian16(data + at + 2) : 0;
        if (length < 2 || length > size - at - 2) {
            why = "is cut short (a JPEG picture without its end)";
            return false;
        }
        const bool frame = marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc;
        if (frame && !sized) {
            if (length < 7) {
                why = "is a damaged JPEG picture";
                return false;
            }
            header.height = bigEndian16(data + at + 5);
            header.width = bigEndian16(data + at + 7);
            sized = true;
        }
        scanned = scanned || marker == 0xda;
        at += 2 + length;
    }
}

}  // namespace

bool readPictureHeader(const uint8_t* data, size_t size, PictureHeader& header, std::string& why)
{
    bool ok = false;
    if (size == 0)
        why = "is empty";
    else if (size >= sizeof kPngSignature && std::memcmp(data, kPngSignature, sizeof kPngSignature) == 0)
        ok = readPng(data, size, header, why);
    else if (size >= 3 && data[0] == 0xff && data[1] == 0xd8 && data[2] == 0xff)
        ok = readJpeg(data, size, header, why);
    else
        why = "is not a PNG or JPEG picture";
    if (!ok) return false;
    if (header.width < 1 || header.height < 1 || header.width > kMaxPictureSide || header.height > kMaxPictureSide) {
        why = "claims a size of " + std::to_string(header.width) + " x " + std::to_string(header.height) +
              " pixels (at most " + std::to_string(kMaxPictureSide) + " x " + std::to_string(kMaxPictureSide) +
              " is taken)";
        return false;
    }
    return true;
}

bool decodePictureBytes(const uint8_t* data, size_t size, Picture& out, std::string& why)
{
    PictureHeader header;
    if (!readPictureHeader(data, size, header, why)) return false;

    ilInit();
    ilEnable(IL_ORIGIN_SET);
    ilOriginFunc(IL_ORIGIN_LOWER_LEFT);
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    const ILenum type = header.format == PictureHeader::Format::Png ? IL_PNG : IL_JPG;
    bool ok = ilLoadL(type, data, static_cast<ILuint>(size)) && ilConvertImage(IL_RGBA, IL_UNSIGNED_BYTE);
    if (ok) {
        out.width = ilGetInteger(IL_IMAGE_WIDTH);
        out.height = ilGetInteger(IL_IMAGE_HEIGHT);
        const auto* pixels = ilGetData();
        // The decoder must have made the picture its header announced, nothing larger.
        ok = pixels && out.width == header.width && out.height == header.height;
        if (ok) out.rgba.assign(pixels, pixels + static_cast<size_t>(out.width) * out.height * 4);
    }
    if (!ok) {
        why = header.format == PictureHeader::Format::Png ? "is a damaged PNG picture" : "is a damaged JPEG picture";
        out = Picture{};
    }
    ilBindImage(0);
    ilDeleteImages(1, &image);
    return ok;
}

bool decodePicture(const std::string& path, Picture& out, std::string& error)
{
    const std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file) {
        error = path + (errno == ENOENT ? " is missing" : std::string(" cannot be opened: ") + std::strerror(errno));
        return false;
    }
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0;) {
        if (bytes.size() + got > static_cast<size_t>(kMaxFileBytes)) {
            error = path + " is too large to be a picture of the intro (over 64 MiB)";
            return false;
        }
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    if (std::ferror(file.get())) {
        error = path + " cannot be read: " + std::strerror(errno);
        return false;
    }
    std::string why;
    if (!decodePictureBytes(bytes.data(), bytes.size(), out, why)) {
        error = path + " " + why;
        return false;
    }
    return true;
}
