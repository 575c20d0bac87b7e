#include "image/PictureFile.h"

#include <jpeglib.h>
#include <png.h>

#include <csetjmp>
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

// Rows of `out` from the top of the picture down, for decoders that write top row first:
// row 0 is the last row of the bottom-up pixels.
std::vector<uint8_t*> topDownRows(Picture& out)
{
    std::vector<uint8_t*> rows(static_cast<size_t>(out.height));
    for (int32_t y = 0; y < out.height; ++y)
        rows[static_cast<size_t>(y)] = out.rgba.data() + static_cast<size_t>(out.height - 1 - y) * out.width * 4;
    return rows;
}

// The PNG reader's state for its callbacks: the bytes and how far they are read, and where
// an error jumps back to.
struct PngSource {
    const uint8_t* data;
    size_t size;
    size_t at;
    std::jmp_buf failed;
};

void readPngBytes(png_structp png, png_bytep into, size_t count)
{
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (count > source->size - source->at) png_error(png, "read past the end");
    std::memcpy(into, source->data + source->at, count);
    source->at += count;
}

[[noreturn]] void pngFailed(png_structp png, png_const_charp)
{
    std::longjmp(static_cast<PngSource*>(png_get_error_ptr(png))->failed, 1);
}

void pngWarning(png_structp, png_const_charp) {}

// Any PNG as 8-bit RGBA: palettes and small grey levels expanded, transparency as alpha,
// 16-bit samples cut to their high byte, grey spread to RGB, opaque alpha added where there
// is none. No gamma correction: the bytes are the picture's. Only plain data lives between
// the jump and its target; `rows` and `out` belong to the caller.
bool decodePngRows(PngSource& source, png_structp png, png_infop info, Picture& out, std::vector<uint8_t*>& rows)
{
    if (setjmp(source.failed)) return false;
    png_set_read_fn(png, &source, readPngBytes);
    png_read_info(png, info);
    if (png_get_image_width(png, info) != static_cast<png_uint_32>(out.width) ||
        png_get_image_height(png, info) != static_cast<png_uint_32>(out.height))
        return false;
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xff, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<size_t>(out.width) * 4) return false;
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    return true;
}

bool decodePng(const uint8_t* data, size_t size, Picture& out)
{
    PngSource source{data, size, 0, {}};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &source, pngFailed, pngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    std::vector<uint8_t*> rows = topDownRows(out);
    const bool ok = info && decodePngRows(source, png, info, out, rows);
    png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    return ok;
}

// libjpeg's error manager with the place an error jumps back to.
struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf failed;
};

[[noreturn]] void jpegFailed(j_common_ptr jpeg) { std::longjmp(reinterpret_cast<JpegErrors*>(jpeg->err)->failed, 1); }

void jpegMessage(j_common_ptr) {}

// A JPEG as 8-bit RGBA with opaque alpha, decoded with the library's defaults (the same
// DCT and upsampling whatever the build). Only plain data lives between the jump and its
// target.
bool decodeJpegRows(jpeg_decompress_struct& jpeg, JpegErrors& errors, const uint8_t* data, size_t size, Picture& out,
                    std::vector<uint8_t*>& rows)
{
    if (setjmp(errors.failed)) return false;
    jpeg_create_decompress(&jpeg);
    jpeg_mem_src(&jpeg, data, static_cast<unsigned long>(size));
    jpeg_read_header(&jpeg, TRUE);
    if (jpeg.image_width != static_cast<JDIMENSION>(out.width) ||
        jpeg.image_height != static_cast<JDIMENSION>(out.height) ||
        (jpeg.jpeg_color_space != JCS_GRAYSCALE && jpeg.jpeg_color_space != JCS_YCbCr &&
         jpeg.jpeg_color_space != JCS_RGB))
        return false;
    jpeg.out_color_space = JCS_EXT_RGBA;
    jpeg_start_decompress(&jpeg);
    while (jpeg.output_scanline < jpeg.output_height)
        jpeg_read_scanlines(&jpeg, rows.data() + jpeg.output_scanline, jpeg.output_height - jpeg.output_scanline);
    jpeg_finish_decompress(&jpeg);
    return true;
}

bool decodeJpeg(const uint8_t* data, size_t size, Picture& out)
{
    jpeg_decompress_struct jpeg{};
    JpegErrors errors{};
    jpeg.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = jpegFailed;
    errors.manager.output_message = jpegMessage;
    std::vector<uint8_t*> rows = topDownRows(out);
    const bool ok = decodeJpegRows(jpeg, errors, data, size, out, rows);
    jpeg_destroy_decompress(&jpeg);
    return ok;
}

}  // namespace

Result<PictureHeader> readPictureHeader(const uint8_t* data, size_t size)
{
    PictureHeader header;
    std::string why;
    bool ok = false;
    if (size == 0)
        why = "is empty";
    else if (size >= sizeof kPngSignature && std::memcmp(data, kPngSignature, sizeof kPngSignature) == 0)
        ok = readPng(data, size, header, why);
    else if (size >= 3 && data[0] == 0xff && data[1] == 0xd8 && data[2] == 0xff)
        ok = readJpeg(data, size, header, why);
    else
        why = "is not a PNG or JPEG picture";
    if (!ok) return Failure{why};
    if (header.width < 1 || header.height < 1 || header.width > kMaxPictureSide || header.height > kMaxPictureSide)
        return Failure{"claims a size of " + std::to_string(header.width) + " x " + std::to_string(header.height) +
                       " pixels (at most " + std::to_string(kMaxPictureSide) + " x " + std::to_string(kMaxPictureSide) +
                       " is taken)"};
    return header;
}

Result<Picture> decodePictureBytes(const uint8_t* data, size_t size)
{
    const Result<PictureHeader> header = readPictureHeader(data, size);
    if (!header) return Failure{header.message()};
    Picture out;
    out.width = static_cast<int32_t>(header.value().width);
    out.height = static_cast<int32_t>(header.value().height);
    out.rgba.assign(static_cast<size_t>(out.width) * out.height * 4, 0);
    const bool png = header.value().format == PictureHeader::Format::Png;
    if (png ? decodePng(data, size, out) : decodeJpeg(data, size, out)) return out;
    return Failure{png ? "is a damaged PNG picture" : "is a damaged JPEG picture"};
}

Result<Picture> decodePicture(const std::string& path)
{
    const std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file)
        return Failure{path +
                       (errno == ENOENT ? " is missing" : std::string(" cannot be opened: ") + std::strerror(errno))};
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0;) {
        if (bytes.size() + got > static_cast<size_t>(kMaxFileBytes))
            return Failure{path + " is too large to be a picture of the intro (over 64 MiB)"};
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    if (std::ferror(file.get())) return Failure{path + " cannot be read: " + std::strerror(errno)};
    Result<Picture> picture = decodePictureBytes(bytes.data(), bytes.size());
    if (!picture) return Failure{path + " " + picture.message()};
    return picture;
}
