#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>

// One picture being drawn: a Cairo ARGB surface (premultiplied, top row first) and its context.
struct Canvas {
    int width;
    int height;
    cairo_surface_t* surface;
    cairo_t* cr;

    Canvas(int w, int h);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Calls f(pixel, x, y) for every pixel, top row first; pixel is the premultiplied
    // 0xAARRGGBB word, which f may change.
    template <typename F>
    void eachPixel(F f)
    {
        cairo_surface_flush(surface);
        unsigned char* data = cairo_image_surface_get_data(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        for (int y = 0; y < height; ++y) {
            auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
            for (int x = 0; x < width; ++x) f(row[x], x, y);
        }
        cairo_surface_mark_dirty(surface);
    }

    bool writePng(const std::string& path);
    // Writes the picture, without alpha, as a baseline JPEG of the given quality (0-100).
    bool writeJpeg(const std::string& path, int quality);
    // Writes a picture already reduced to 3 bits of red, 3 of green and 2 of blue as an 8-bit
    // Windows bitmap with that palette (what a Windows dialog's bitmap resource holds).
    bool writeBmp332(const std::string& path);
};

// Text laid out with Pango. Font names are Pango descriptions ("DejaVu Sans Bold 40").
struct TextBox {
    double width;   // logical extents, pixels
    double height;
    double inkX;    // ink rectangle relative to the layout's top-left corner
    double inkY;
    double inkWidth;
    double inkHeight;
};

// Measures text without drawing it.
TextBox measureText(cairo_t* cr, const char* text, const char* font);
// Adds the outline of text to the current path with the layout's top-left corner at (x, y).
void textPath(cairo_t* cr, const char* text, const char* font, double x, double y);
// Adds the outline of text to the current path, centred on (cx, cy) by its ink rectangle.
void centredTextPath(cairo_t* cr, const char* text, const char* font, double cx, double cy);

// Adds a rectangle with corners rounded to radius r to the current path.
void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r);

// Sets one solid colour given as 0xRRGGBB.
void setColour(cairo_t* cr, unsigned rgb, double alpha = 1.0);

// Multiplies each pixel's alpha by a factor that falls from 1 to 0 over the last `margin`
// pixels towards every edge (smoothly), so the picture has no hard border.
void fadeEdges(Canvas& canvas, double margin);
