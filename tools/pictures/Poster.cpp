// The closing picture: the party's poster, standing on the white page on a 2.24 x 2.59 quad
// that fills about three quarters of the screen's height (886 x 1024 pixels, the quad's
// aspect). The invitation's white lines fly over its middle, so that is a calm night sky;
// the logotype "ORVALE" stands at the top, the big field with its firepit at the bottom.
#include <cmath>
#include <random>
#include <string>

#include "Canvas.h"
#include "Pictures.h"

namespace {
constexpr int kWidth = 886, kHeight = 1024;
constexpr double kMargin = 5, kRadius = 30;

void flame(cairo_t* cr, double x, double base, double height, double width, unsigned colour)
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

void sky(cairo_t* cr)
{
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, 0, 0, kHeight);
    cairo_pattern_add_color_stop_rgb(gradient, 0.0, 0.02, 0.03, 0.12);
    cairo_pattern_add_color_stop_rgb(gradient, 0.6, 0.07, 0.08, 0.25);
    cairo_pattern_add_color_stop_rgb(gradient, 0.8, 0.30, 0.12, 0.25);
    cairo_pattern_add_color_stop_rgb(gradient, 0.9, 0.75, 0.30, 0.15);
    cairo_set_source(cr, gradient);
    cairo_paint(cr);
    cairo_pattern_destroy(gradient);

    // Faint stars, so the white lines over them stay readable; a few bright ones at the sides.
    std::mt19937 random(25);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 0; i < 220; ++i) {
        const double x = unit(random) * kWidth, y = unit(random) * kHeight * 0.8;
        cairo_arc(cr, x, y, 0.8 + 1.6 * unit(random) * unit(random), 0, 2 * M_PI);
        setColour(cr, 0xfff6d8, 0.25 + 0.35 * unit(random));
        cairo_fill(cr);
    }
    for (const auto& [x, y] : {std::pair{110.0, 330.0}, {770.0, 420.0}, {700.0, 360.0}}) {
        cairo_move_to(cr, x, y - 22);
        cairo_curve_to(cr, x + 3, y - 3, x + 3, y - 3, x + 22, y);
        cairo_curve_to(cr, x + 3, y + 3, x + 3, y + 3, x, y + 22);
        cairo_curve_to(cr, x - 3, y + 3, x - 3, y + 3, x - 22, y);
        cairo_curve_to(cr, x - 3, y - 3, x - 3, y - 3, x, y - 22);
        setColour(cr, 0xffffff, 0.9);
        cairo_fill(cr);
    }
}

void field(cairo_t* cr)
{
    // The big field, a glow where the fire is, then the firepit itself.
    const double fx = kWidth * 0.5, fy = 930;
    cairo_pattern_t* glow = cairo_pattern_create_radial(fx, fy - 40, 10, fx, fy - 40, 260);
    cairo_pattern_add_color_stop_rgba(glow, 0, 1.0, 0.6, 0.2, 0.7);
    cairo_pattern_add_color_stop_rgba(glow, 1, 1.0, 0.4, 0.1, 0.0);
    cairo_set_source(cr, glow);
    cairo_paint(cr);
    cairo_pattern_destroy(glow);

    cairo_move_to(cr, 0, 880);
    cairo_curve_to(cr, 250, 840, 520, 900, kWidth, 860);
    cairo_line_to(cr, kWidth, kHeight);
    cairo_line_to(cr, 0, kHeight);
    cairo_close_path(cr);
    setColour(cr, 0x16301f);
    cairo_fill(cr);

    cairo_save(cr);
    cairo_translate(cr, fx, fy);
    cairo_scale(cr, 1.0, 0.3);
    cairo_arc(cr, 0, 0, 70, 0, 2 * M_PI);
    cairo_restore(cr);
    setColour(cr, 0x4b4f57);
    cairo_fill(cr);
    flame(cr, fx, fy, 150, 100, 0xe8331c);
    flame(cr, fx - 24, fy, 95, 60, 0xff8a1e);
    flame(cr, fx + 22, fy, 110, 60, 0xff8a1e);
    flame(cr, fx, fy, 70, 45, 0xffe36b);
}

}  // namespace

bool drawPoster(const std::string& dir)
{
    Canvas canvas(kWidth, kHeight);
    cairo_t* cr = canvas.cr;

    // The poster's card, with rounded corners and a white page showing around it.
    roundedRect(cr, kMargin, kMargin, kWidth - 2 * kMargin, kHeight - 2 * kMargin, kRadius);
    cairo_clip(cr);
    sky(cr);
    field(cr);

    const char* font = "DejaVu Sans Bold 150px";
    centredTextPath(cr, "ORVALE", font, kWidth / 2.0 + 6, 130 + 6);
    setColour(cr, 0xd2081c);
    cairo_fill(cr);
    centredTextPath(cr, "ORVALE", font, kWidth / 2.0, 130);
    cairo_pattern_t* face = cairo_pattern_create_linear(0, 70, 0, 190);
    cairo_pattern_add_color_stop_rgb(face, 0, 1.0, 0.95, 0.6);
    cairo_pattern_add_color_stop_rgb(face, 1, 1.0, 0.6, 0.12);
    cairo_set_source(cr, face);
    cairo_fill(cr);
    cairo_pattern_destroy(face);
    centredTextPath(cr, "OLDSCHOOL PARTY  *  NEW CONTINENT", "DejaVu Sans Bold 30px", kWidth / 2.0, 232);
    setColour(cr, 0xffffff, 0.85);
    cairo_fill(cr);
    cairo_reset_clip(cr);

    roundedRect(cr, kMargin, kMargin, kWidth - 2 * kMargin, kHeight - 2 * kMargin, kRadius);
    cairo_set_line_width(cr, 8);
    setColour(cr, 0xd2081c);
    cairo_stroke(cr);
    return canvas.writePng(dir + "/orvale_25.png");
}
