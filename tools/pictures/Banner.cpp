// The setup dialog's banner: the intro's title over the night sky of the party, 392 x 125
// pixels in a 256-colour look (3 bits of red, 3 of green, 2 of blue, ordered dithering).
#include <cstdint>
#include <string>

#include "Canvas.h"
#include "Pictures.h"

namespace {

void reduceTo256Colours(Canvas& canvas)
{
    static constexpr int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    canvas.eachPixel([](uint32_t& pixel, int x, int y) {
        const double threshold = (bayer[y % 4][x % 4] + 0.5) / 16.0;
        auto quantise = [threshold](uint32_t value, int levels) {
            const double scaled = value / 255.0 * (levels - 1);
            int level = static_cast<int>(scaled);
            if (scaled - level > threshold && level < levels - 1) ++level;
            return static_cast<uint32_t>(level * 255 / (levels - 1));
        };
        pixel = 0xff000000u | quantise((pixel >> 16) & 0xff, 8) << 16 | quantise((pixel >> 8) & 0xff, 8) << 8 |
                quantise(pixel & 0xff, 4);
    });
}

}  // namespace

bool drawBanner(const std::string& path)
{
    Canvas canvas(392, 125);
    cairo_t* cr = canvas.cr;

    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, 125);
    cairo_pattern_add_color_stop_rgb(sky, 0.0, 0.04, 0.05, 0.20);
    cairo_pattern_add_color_stop_rgb(sky, 0.7, 0.25, 0.10, 0.30);
    cairo_pattern_add_color_stop_rgb(sky, 1.0, 0.90, 0.30, 0.12);
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);

    constexpr double stars[][3] = {{22, 14, 1.2},  {61, 40, 0.8},  {97, 9, 1.0},   {140, 30, 0.7},
                                   {188, 12, 1.1}, {233, 44, 0.8}, {274, 18, 1.3}, {318, 36, 0.7},
                                   {352, 8, 1.0},  {377, 52, 0.9}, {40, 66, 0.7},  {300, 70, 0.8}};
    setColour(cr, 0xfffbe8);
    for (const auto& star : stars) {
        cairo_arc(cr, star[0], star[1], star[2], 0, 6.2832);
        cairo_fill(cr);
    }

    centredTextPath(cr, "VASKEL", "DejaVu Sans Bold Oblique 56px", 196 + 3, 44 + 3);
    setColour(cr, 0x5a0a14);
    cairo_fill(cr);
    centredTextPath(cr, "VASKEL", "DejaVu Sans Bold Oblique 56px", 196, 44);
    setColour(cr, 0xffd34a);
    cairo_fill(cr);
    centredTextPath(cr, "ORVALE INVIT 2011", "DejaVu Sans Bold 20px", 196, 98);
    setColour(cr, 0xffffff);
    cairo_fill(cr);

    reduceTo256Colours(canvas);
    // Also as the Windows program's bitmap resource, beside the picture.
    const std::string bitmap = path.substr(0, path.rfind('.')) + ".bmp";
    return canvas.writePng(path) && canvas.writeBmp332(bitmap);
}
