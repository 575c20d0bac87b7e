// The opening logo in two layers over a white page. The background is a wide strip (drawn
// 3.92 x 2 units, so 1024 x 512 pixels) that waves like a flag: a night sky over the party
// field with a fire glow on the horizon, its edges fading out. The foreground is a square
// (2 x 2 units, 1024 x 1024 pixels) with the lettering "VASKEL" on transparent ground.
#include <cmath>
#include <random>
#include <string>

#include "Canvas.h"
#include "Pictures.h"

namespace {

bool drawBackground(const std::string& path)
{
    Canvas canvas(1024, 512);
    cairo_t* cr = canvas.cr;

    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, 512);
    cairo_pattern_add_color_stop_rgb(sky, 0.00, 0.05, 0.07, 0.25);
    cairo_pattern_add_color_stop_rgb(sky, 0.55, 0.16, 0.20, 0.55);
    cairo_pattern_add_color_stop_rgb(sky, 0.78, 0.95, 0.45, 0.20);
    cairo_pattern_add_color_stop_rgb(sky, 1.00, 1.00, 0.80, 0.35);
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);

    // Rays from the fire glow at the bottom centre.
    cairo_save(cr);
    cairo_translate(cr, 512, 520);
    for (int i = 0; i < 24; ++i) {
        const double a0 = M_PI + i * M_PI / 24, a1 = a0 + M_PI / 48;
        cairo_move_to(cr, 0, 0);
        cairo_arc(cr, 0, 0, 900, a0, a1);
        cairo_close_path(cr);
    }
    setColour(cr, 0xffffff, 0.07);
    cairo_fill(cr);
    cairo_restore(cr);

    std::mt19937 random(20110);
    std::uniform_real_distribution<double> x(0, 1024), y(0, 300), size(0.8, 2.6);
    for (int i = 0; i < 140; ++i) {
        const double sx = x(random), sy = y(random), r = size(random);
        setColour(cr, 0xfff8e0, 0.35 + r / 4);
        cairo_arc(cr, sx, sy, r, 0, 2 * M_PI);
        cairo_fill(cr);
    }

    // The big field: two rolling hills in front of the glow.
    cairo_move_to(cr, 0, 430);
    cairo_curve_to(cr, 250, 380, 420, 455, 620, 420);
    cairo_curve_to(cr, 800, 390, 930, 410, 1024, 400);
    cairo_line_to(cr, 1024, 512);
    cairo_line_to(cr, 0, 512);
    cairo_close_path(cr);
    setColour(cr, 0x1d3b2a);
    cairo_fill(cr);

    fadeEdges(canvas, 90);
    return canvas.writePng(path);
}

bool drawForeground(const std::string& path)
{
    Canvas canvas(1024, 1024);
    cairo_t* cr = canvas.cr;
    const char* word = "VASKEL";
    const char* font = "DejaVu Sans Bold Oblique 210px";

    // Extruded depth: copies stepping down and to the right, dark red.
    for (int d = 22; d > 0; d -= 2) {
        centredTextPath(cr, word, font, 512 + d * 0.7, 512 + d);
        setColour(cr, d > 4 ? 0x5a0a14 : 0x2a0508);
        cairo_fill(cr);
    }

    // The face: an outline, then a warm gradient from yellow to fire red.
    centredTextPath(cr, word, font, 512, 512);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 14);
    setColour(cr, 0x1a0a10);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* face = cairo_pattern_create_linear(0, 400, 0, 620);
    cairo_pattern_add_color_stop_rgb(face, 0.0, 1.00, 0.95, 0.55);
    cairo_pattern_add_color_stop_rgb(face, 0.5, 1.00, 0.62, 0.10);
    cairo_pattern_add_color_stop_rgb(face, 1.0, 0.82, 0.05, 0.12);
    cairo_set_source(cr, face);
    cairo_fill(cr);
    cairo_pattern_destroy(face);

    // A shine across the top of the letters.
    centredTextPath(cr, word, font, 512, 512);
    cairo_clip(cr);
    cairo_rectangle(cr, 0, 400, 1024, 48);
    setColour(cr, 0xffffff, 0.35);
    cairo_fill(cr);
    cairo_reset_clip(cr);

    // The party's name beneath, on a dark ribbon.
    cairo_rectangle(cr, 262, 672, 500, 64);
    setColour(cr, 0x1a0a10);
    cairo_fill(cr);
    centredTextPath(cr, "INVITES YOU TO ORVALE", "DejaVu Sans Bold 34px", 512, 704);
    setColour(cr, 0xffffff);
    cairo_fill(cr);

    return canvas.writePng(path);
}

}  // namespace

bool drawLogoLayers(const std::string& dir)
{
    return drawBackground(dir + "/vaskel-logo_background.png") && drawForeground(dir + "/vaskel-logo_foreground.png");
}
