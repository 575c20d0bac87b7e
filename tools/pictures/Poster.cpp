// The closing picture: the party's poster on a white page, drawn on a 2.24 x 2.59 quad that
// fills about three quarters of the screen's height (886 x 1024 pixels, the quad's aspect).
// An emblem of the party field under the stars with a firepit, and the logotype "ORVALE".
#include <cmath>
#include <random>
#include <string>

#include "Canvas.h"
#include "Pictures.h"

namespace {
constexpr int kWidth = 886, kHeight = 1024;
constexpr double kCx = kWidth / 2.0, kCy = 380, kRadius = 300;

void drawFlame(cairo_t* cr, double x, double base, double height, double width, unsigned colour)
{
    cairo_move_to(cr, x - width / 2, base);
    cairo_curve_to(cr, x - width * 0.7, base - height * 0.45, x - width * 0.1, base - height * 0.6, x,
                   base - height);
    cairo_curve_to(cr, x + width * 0.15, base - height * 0.55, x + width * 0.75, base - height * 0.4, x + width / 2,
                   base);
    cairo_close_path(cr);
    setColour(cr, colour);
    cairo_fill(cr);
}

void drawEmblem(cairo_t* cr)
{
    // The night sky inside the disc.
    cairo_save(cr);
    cairo_arc(cr, kCx, kCy, kRadius, 0, 2 * M_PI);
    cairo_clip(cr);
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, kCy - kRadius, 0, kCy + kRadius);
    cairo_pattern_add_color_stop_rgb(sky, 0.0, 0.04, 0.06, 0.22);
    cairo_pattern_add_color_stop_rgb(sky, 0.7, 0.20, 0.22, 0.55);
    cairo_pattern_add_color_stop_rgb(sky, 1.0, 0.95, 0.50, 0.25);
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);

    std::mt19937 random(25);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 0; i < 90; ++i) {
        const double x = kCx - kRadius + unit(random) * 2 * kRadius, y = kCy - kRadius + unit(random) * kRadius * 1.1;
        cairo_arc(cr, x, y, 1.2 + 2.2 * unit(random) * unit(random), 0, 2 * M_PI);
        setColour(cr, 0xfff6d8, 0.6 + 0.4 * unit(random));
        cairo_fill(cr);
    }
    // A bright four-pointed star.
    const double sx = kCx + 120, sy = kCy - 170;
    cairo_move_to(cr, sx, sy - 34);
    cairo_curve_to(cr, sx + 4, sy - 4, sx + 4, sy - 4, sx + 34, sy);
    cairo_curve_to(cr, sx + 4, sy + 4, sx + 4, sy + 4, sx, sy + 34);
    cairo_curve_to(cr, sx - 4, sy + 4, sx - 4, sy + 4, sx - 34, sy);
    cairo_curve_to(cr, sx - 4, sy - 4, sx - 4, sy - 4, sx, sy - 34);
    setColour(cr, 0xffffff);
    cairo_fill(cr);

    // The big field.
    cairo_move_to(cr, kCx - kRadius, kCy + 120);
    cairo_curve_to(cr, kCx - 120, kCy + 70, kCx + 80, kCy + 130, kCx + kRadius, kCy + 90);
    cairo_line_to(cr, kCx + kRadius, kCy + kRadius);
    cairo_line_to(cr, kCx - kRadius, kCy + kRadius);
    cairo_close_path(cr);
    setColour(cr, 0x244a30);
    cairo_fill(cr);

    // The firepit: a ring of stones and flames.
    const double fx = kCx - 40, fy = kCy + 200;
    cairo_save(cr);
    cairo_translate(cr, fx, fy);
    cairo_scale(cr, 1.0, 0.35);
    cairo_arc(cr, 0, 0, 95, 0, 2 * M_PI);
    cairo_restore(cr);
    setColour(cr, 0x5b5f66);
    cairo_fill(cr);
    drawFlame(cr, fx, fy, 190, 130, 0xe8331c);
    drawFlame(cr, fx - 30, fy, 120, 80, 0xff8a1e);
    drawFlame(cr, fx + 28, fy, 140, 80, 0xff8a1e);
    drawFlame(cr, fx, fy, 90, 60, 0xffe36b);
    cairo_restore(cr);

    // Ring around the disc.
    cairo_arc(cr, kCx, kCy, kRadius, 0, 2 * M_PI);
    cairo_set_line_width(cr, 16);
    setColour(cr, 0x15121e);
    cairo_stroke(cr);
    cairo_arc(cr, kCx, kCy, kRadius + 22, 0, 2 * M_PI);
    cairo_set_line_width(cr, 5);
    setColour(cr, 0xd2081c);
    cairo_stroke(cr);
}

}  // namespace

bool drawPoster(const std::string& dir)
{
    Canvas canvas(kWidth, kHeight);
    cairo_t* cr = canvas.cr;
    setColour(cr, 0xffffff);
    cairo_paint(cr);

    drawEmblem(cr);

    // The logotype: dark letters with a red drop shadow.
    const char* font = "DejaVu Sans Bold 170px";
    centredTextPath(cr, "ORVALE", font, kCx + 8, 820 + 8);
    setColour(cr, 0xd2081c);
    cairo_fill(cr);
    centredTextPath(cr, "ORVALE", font, kCx, 820);
    setColour(cr, 0x15121e);
    cairo_fill(cr);

    centredTextPath(cr, "OLDSCHOOL PARTY  *  NEW CONTINENT", "DejaVu Sans Bold 36px", kCx, 945);
    setColour(cr, 0x15121e);
    cairo_fill(cr);
    return canvas.writePng(dir + "/orvale_25.png");
}
