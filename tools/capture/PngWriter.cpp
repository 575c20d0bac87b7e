#include "PngWriter.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

namespace {

// Where a libpng error jumps back to.
struct PngFailure {
    std::jmp_buf jump;
};

[[noreturn]] void pngFailed(png_structp png, png_const_charp)
{
    std::longjmp(static_cast<PngFailure*>(png_get_error_ptr(png))->jump, 1);
}

void pngWarning(png_structp, png_const_charp) {}

// Encodes the rows into the open file; false on any libpng error, a failed write among them.
// Only plain data lives between the jump and its target; `rows` belongs to the caller.
bool encode(PngFailure& failure, png_structp png, png_infop info, std::FILE* file, const RgbPicture& picture,
            png_bytep* rows)
{
    if (setjmp(failure.jump)) return false;
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width), static_cast<png_uint_32>(picture.height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // A white background chunk, as the files of earlier versions carry: with it the files, not
    // only their pixels, stay the same as theirs, which scripts/frame-identity compares.
    png_color_16 white{};
    white.red = white.green = white.blue = 0xff;
    png_set_bKGD(png, info, &white);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, info);
    return true;
}

}  // namespace

bool writePng(const std::string& path, const RgbPicture& picture)
{
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.rgb.size() != static_cast<size_t>(picture.width) * picture.height * 3)
        return false;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;

    // libpng takes the rows as writable but only reads them.
    std::vector<png_bytep> rows(static_cast<size_t>(picture.height));
    for (int y = 0; y < picture.height; ++y) rows[static_cast<size_t>(y)] = const_cast<png_bytep>(picture.at(0, y));
    PngFailure failure;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &failure, pngFailed, pngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = info && encode(failure, png, info, file, picture, rows.data());
    png_destroy_write_struct(&png, info ? &info : nullptr);

    // The last of the bytes leave stdio's buffer only now: a full disk may show here alone.
    ok = !std::ferror(file) && ok;
    return std::fclose(file) == 0 && ok;
}
