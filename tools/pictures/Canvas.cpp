#include "Canvas.h"

#include <jpeglib.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

Canvas::Canvas(int w, int h)
    : width(w), height(h), surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h)), cr(cairo_create(surface))
{
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_GRAY);
}

Canvas::~Canvas()
{
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

bool Canvas::writePng(const std::string& path)
{
    cairo_surface_flush(surface);
    return cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

bool Canvas::writeBmp332(const std::string& path)
{
    constexpr uint32_t kHeaders = 14 + 40, kPalette = 256 * 4;
    const uint32_t rowBytes = (static_cast<uint32_t>(width) + 3) / 4 * 4;
    const uint32_t pixelBytes = rowBytes * static_cast<uint32_t>(height);
    std::string bmp;
    const auto put = [&bmp](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) bmp.push_back(static_cast<char>(value >> (8 * i) & 0xff));
    };
    // File header, then the info header: bottom-up rows, 8 bits per pixel, uncompressed.
    bmp += "BM";
    put(kHeaders + kPalette + pixelBytes, 4);
    put(0, 4);
    put(kHeaders + kPalette, 4);
    put(40, 4);
    put(static_cast<uint32_t>(width), 4);
    put(static_cast<uint32_t>(height), 4);
    put(1, 2);
    put(8, 2);
    put(0, 4);
    put(pixelBytes, 4);
    put(2835, 4);  // 72 dots per inch
    put(2835, 4);
    put(256, 4);
    put(0, 4);
    for (uint32_t i = 0; i < 256; ++i) {
        const uint32_t red = (i >> 5) * 255 / 7, green = (i >> 2 & 7) * 255 / 7, blue = (i & 3) * 255 / 3;
        put(blue | green << 8 | red << 16, 4);
    }
    std::string rows(pixelBytes, '\0');
    eachPixel([&](uint32_t& pixel, int x, int y) {
        const uint32_t index = ((pixel >> 16 & 0xff) >> 5) << 5 | ((pixel >> 8 & 0xff) >> 5) << 2 | (pixel & 0xff) >> 6;
        rows[static_cast<size_t>(height - 1 - y) * rowBytes + static_cast<size_t>(x)] = static_cast<char>(index);
    });
    bmp += rows;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bmp.data(), 1, bmp.size(), file) == bmp.size();
    return std::fclose(file) == 0 && written;
}

bool Canvas::writeJpeg(const std::string& path, int quality)
{
    cairo_surface_flush(surface);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;

    jpeg_compress_struct jpeg;
    jpeg_error_mgr errors;
    jpeg.err = jpeg_std_error(&errors);
    jpeg_create_compress(&jpeg);
    jpeg_stdio_dest(&jpeg, file);
    jpeg.image_width = static_cast<JDIMENSION>(width);
    jpeg.image_height = static_cast<JDIMENSION>(height);
    jpeg.input_components = 3;
    jpeg.in_color_space = JCS_RGB;
    jpeg_set_defaults(&jpeg);
    jpeg_set_quality(&jpeg, quality, TRUE);
    jpeg_start_compress(&jpeg, TRUE);

    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    std::vector<JSAMPLE> row(static_cast<size_t>(width) * 3);
    while (jpeg.next_scanline < jpeg.image_height) {
        const auto* pixels = reinterpret_cast<const uint32_t*>(data + jpeg.next_scanline * stride);
        for (int x = 0; x < width; ++x) {
            row[x * 3 + 0] = static_cast<JSAMPLE>((pixels[x] >> 16) & 0xff);
            row[x * 3 + 1] = static_cast<JSAMPLE>((pixels[x] >> 8) & 0xff);
            row[x * 3 + 2] = static_cast<JSAMPLE>(pixels[x] & 0xff);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&jpeg, rows, 1);
    }
    jpeg_finish_compress(&jpeg);
    jpeg_destroy_compress(&jpeg);
    return std::fclose(file) == 0;
}

namespace {

// A layout with fixed rendering options, so the lettering comes out the same on every
// machine whatever its fontconfig settings.
PangoLayout* makeLayout(cairo_t* cr, const char* text, const char* font)
{
    PangoLayout* layout = pango_cairo_create_layout(cr);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    pango_cairo_context_set_font_options(pango_layout_get_context(layout), options);
    cairo_font_options_destroy(options);
    pango_layout_context_changed(layout);

    PangoFontDescription* description = pango_font_description_from_string(font);
    pango_layout_set_font_description(layout, description);
    pango_font_description_free(description);
    pango_layout_set_text(layout, text, -1);
    return layout;
}

}  // namespace

TextBox measureText(cairo_t* cr, const char* text, const char* font)
{
    PangoLayout* layout = makeLayout(cr, text, font);
    PangoRectangle ink, logical;
    pango_layout_get_extents(layout, &ink, &logical);
    g_object_unref(layout);
    const double s = PANGO_SCALE;
    return {logical.width / s, logical.height / s, ink.x / s, ink.y / s, ink.width / s, ink.height / s};
}

void textPath(cairo_t* cr, const char* text, const char* font, double x, double y)
{
    PangoLayout* layout = makeLayout(cr, text, font);
    cairo_move_to(cr, x, y);
    pango_cairo_layout_path(cr, layout);
    g_object_unref(layout);
}

void centredTextPath(cairo_t* cr, const char* text, const char* font, double cx, double cy)
{
    const TextBox box = measureText(cr, text, font);
    textPath(cr, text, font, cx - box.inkX - box.inkWidth / 2, cy - box.inkY - box.inkHeight / 2);
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void setColour(cairo_t* cr, unsigned rgb, double alpha)
{
    cairo_set_source_rgba(cr, ((rgb >> 16) & 0xff) / 255.0, ((rgb >> 8) & 0xff) / 255.0, (rgb & 0xff) / 255.0, alpha);
}

void fadeEdges(Canvas& canvas, double margin)
{
    auto ramp = [margin](double d) {
        const double t = std::clamp(d / margin, 0.0, 1.0);
        return t * t * (3 - 2 * t);
    };
    canvas.eachPixel([&](uint32_t& pixel, int x, int y) {
        const double f = ramp(std::min(y + 0.5, canvas.height - y - 0.5)) *
                         ramp(std::min(x + 0.5, canvas.width - x - 0.5));
        // Premultiplied: every channel scales with alpha.
        uint32_t out = 0;
        for (int shift = 0; shift < 32; shift += 8)
            out |= static_cast<uint32_t>(std::lround(((pixel >> shift) & 0xff) * f)) << shift;
        pixel = out;
    });
}
