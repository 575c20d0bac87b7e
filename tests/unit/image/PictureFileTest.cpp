// The picture decoder on every kind of PNG and JPEG a picture may be saved as: each comes
// out as 8-bit RGBA, bottom row first, with the colours it was written with.
#include "image/PictureFile.h"

#include <gtest/gtest.h>
#include <jpeglib.h>
#include <png.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr int kWidth = 5, kHeight = 3;

using Rgba = std::array<uint8_t, 4>;

// The test picture, top row first: every pixel different, some of them translucent.
Rgba pixel(int x, int y)
{
    return {static_cast<uint8_t>(40 * x + 7), static_cast<uint8_t>(90 * y + 3), static_cast<uint8_t>(200 - 30 * x),
            static_cast<uint8_t>(x == 2 ? 128 : 255)};
}

void appendBytes(png_structp png, png_bytep data, size_t size)
{
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}

// A PNG of the test picture in the given form; each row's samples from `sample(x, y, channel)`
// for `channels` channels of `depth` bits.
template <typename Sample>
std::vector<uint8_t> pngOf(int colourType, int depth, int channels, Sample sample, bool interlaced = false,
                           const std::vector<png_color>& palette = {}, const std::vector<uint8_t>& opacity = {})
{
    std::vector<uint8_t> bytes;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &bytes, appendBytes, nullptr);
    png_set_IHDR(png, info, kWidth, kHeight, depth, colourType,
                 interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    if (!opacity.empty()) png_set_tRNS(png, info, opacity.data(), static_cast<int>(opacity.size()), nullptr);
    std::vector<std::vector<uint8_t>> rows(kHeight);
    for (int y = 0; y < kHeight; ++y) {
        // Samples packed big-endian, as PNG stores them.
        std::vector<uint8_t>& row = rows[y];
        row.assign((kWidth * channels * depth + 7) / 8, 0);
        for (int x = 0; x < kWidth; ++x)
            for (int c = 0; c < channels; ++c) {
                const unsigned value = sample(x, y, c);
                const int bit = (x * channels + c) * depth;
                if (depth == 16) {
                    row[bit / 8] = static_cast<uint8_t>(value >> 8);
                    row[bit / 8 + 1] = static_cast<uint8_t>(value);
                } else {
                    row[bit / 8] |= static_cast<uint8_t>(value << (8 - depth - bit % 8));
                }
            }
    }
    std::vector<png_bytep> pointers;
    for (auto& row : rows) pointers.push_back(row.data());
    png_set_rows(png, info, pointers.data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    return bytes;
}

// Decodes the bytes and checks each pixel against what `expected(x, y)` says (y from the top).
template <typename Expected>
void expectDecoded(const std::vector<uint8_t>& bytes, Expected expected, const char* kind)
{
    const Result<Picture> decoded = decodePictureBytes(bytes.data(), bytes.size());
    ASSERT_TRUE(decoded) << kind << ": " << decoded.message();
    const Picture& picture = decoded.value();
    ASSERT_EQ(picture.width, kWidth) << kind;
    ASSERT_EQ(picture.height, kHeight) << kind;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const uint8_t* got = picture.at(x, kHeight - 1 - y);
            const Rgba want = expected(x, y);
            for (int c = 0; c < 4; ++c)
                ASSERT_EQ(got[c], want[c]) << kind << ": pixel " << x << ", " << y << " (from the top), channel " << c;
        }
}

TEST(PictureFile, EveryKindOfPngComesOutAsRgbaBottomRowFirst)
{
    const auto rgba = [](int x, int y, int c) { return unsigned{pixel(x, y)[c]}; };
    expectDecoded(pngOf(PNG_COLOR_TYPE_RGBA, 8, 4, rgba), pixel, "RGBA");
    expectDecoded(pngOf(PNG_COLOR_TYPE_RGBA, 8, 4, rgba, true), pixel, "interlaced RGBA");

    const auto opaque = [](int x, int y) {
        Rgba p = pixel(x, y);
        p[3] = 255;
        return p;
    };
    expectDecoded(pngOf(PNG_COLOR_TYPE_RGB, 8, 3, rgba), opaque, "RGB");
    // 16-bit samples keep their high byte.
    expectDecoded(pngOf(PNG_COLOR_TYPE_RGB, 16, 3, [&](int x, int y, int c) { return rgba(x, y, c) << 8 | 0xab; }),
                  opaque, "16-bit RGB");

    const auto grey = [](int x, int y) {
        const uint8_t v = pixel(x, y)[0];
        return Rgba{v, v, v, pixel(x, y)[3]};
    };
    expectDecoded(pngOf(PNG_COLOR_TYPE_GRAY_ALPHA, 8, 2, [&](int x, int y, int c) { return rgba(x, y, c ? 3 : 0); }),
                  grey, "grey with alpha");
    // 1-bit grey spreads to 0 and 255.
    expectDecoded(pngOf(PNG_COLOR_TYPE_GRAY, 1, 1, [](int x, int y, int) { return unsigned((x + y) % 2); }),
                  [](int x, int y) {
                      const uint8_t v = (x + y) % 2 ? 255 : 0;
                      return Rgba{v, v, v, 255};
                  },
                  "1-bit grey");

    // A palette of the five columns' colours, the middle one half transparent.
    std::vector<png_color> palette;
    std::vector<uint8_t> opacity;
    for (int x = 0; x < kWidth; ++x) {
        palette.push_back({pixel(x, 0)[0], pixel(x, 0)[1], pixel(x, 0)[2]});
        opacity.push_back(pixel(x, 0)[3]);
    }
    expectDecoded(pngOf(PNG_COLOR_TYPE_PALETTE, 8, 1, [](int x, int, int) { return unsigned(x); }, false, palette,
                        opacity),
                  [](int x, int) { return pixel(x, 0); }, "palette with transparency");
}

// A JPEG of `components` (1 grey, 3 colour) at the best quality, from samples top row first.
std::vector<uint8_t> jpegOf(int width, int height, int components, const std::vector<uint8_t>& samples)
{
    jpeg_compress_struct jpeg{};
    jpeg_error_mgr errors{};
    jpeg.err = jpeg_std_error(&errors);
    jpeg_create_compress(&jpeg);
    unsigned char* data = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&jpeg, &data, &size);
    jpeg.image_width = width;
    jpeg.image_height = height;
    jpeg.input_components = components;
    jpeg.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&jpeg);
    jpeg_set_quality(&jpeg, 100, TRUE);
    jpeg_start_compress(&jpeg, TRUE);
    while (jpeg.next_scanline < jpeg.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(samples.data() + size_t{jpeg.next_scanline} * width * components);
        jpeg_write_scanlines(&jpeg, &row, 1);
    }
    jpeg_finish_compress(&jpeg);
    std::vector<uint8_t> bytes(data, data + size);
    jpeg_destroy_compress(&jpeg);
    std::free(data);
    return bytes;
}

TEST(PictureFile, GreyAndColourJpegsComeOutAsOpaqueRgbaBottomRowFirst)
{
    // Three flat bands a block high each (a JPEG keeps flat blocks nearly exact): bright at the
    // top, dark at the bottom.
    constexpr int kSide = 16, kBands = 3;
    const uint8_t levels[kBands] = {230, 128, 20};
    std::vector<uint8_t> grey, colour;
    for (int y = 0; y < kSide * kBands; ++y)
        for (int x = 0; x < kSide; ++x) {
            const uint8_t level = levels[y / kSide];
            grey.push_back(level);
            colour.insert(colour.end(), {level, static_cast<uint8_t>(255 - level), 90});
        }
    for (const auto& [kind, bytes, components] : {std::tuple{"grey", jpegOf(kSide, kSide * kBands, 1, grey), 1},
                                                  std::tuple{"colour", jpegOf(kSide, kSide * kBands, 3, colour), 3}}) {
        const Result<Picture> decoded = decodePictureBytes(bytes.data(), bytes.size());
        ASSERT_TRUE(decoded) << kind << ": " << decoded.message();
        const Picture& picture = decoded.value();
        ASSERT_EQ(picture.width, kSide);
        ASSERT_EQ(picture.height, kSide * kBands);
        for (int band = 0; band < kBands; ++band) {
            // The middle of the band, counted from the bottom.
            const uint8_t* p = picture.at(kSide / 2, (kBands - 1 - band) * kSide + kSide / 2);
            const int want[3] = {levels[band], components == 1 ? levels[band] : 255 - levels[band],
                                 components == 1 ? levels[band] : 90};
            for (int c = 0; c < 3; ++c) EXPECT_NEAR(p[c], want[c], 3) << kind << " band " << band << " channel " << c;
            EXPECT_EQ(p[3], 255) << kind;
        }
    }
}

}  // namespace
