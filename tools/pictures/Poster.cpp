// The closing picture: the party's poster, standing on the white page on a 2.24 x 2.59 quad
// that fills about three quarters of the screen's height (886 x 1024 pixels, the quad's
// aspect). The invitation's white lines fly over rows 47 to 882 (counted from the top), so all
// of that is a calm, dark night sky; the dusk, the field with a firepit on either side and
// the logotype "ORVALE" stand in the strip below it. The program's icon is made of the same
// firepit.
#include <cmath>
#include <random>
#include <string>

#include "Canvas.h"
#include "Pictures.h"

namespace {
constexpr int kWidth = 886, kHeight = 1024;
constexpr double kMargin = 5, kRadius = 30;
constexpr double kLinesEnd = 882;  // the last row the lines of text reach
constexpr double kHorizon = 910;   // where the dusk meets the field

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
    cairo_pattern_add_color_stop_rgb(gradient, 0.55, 0.06, 0.07, 0.22);
    cairo_pattern_add_color_stop_rgb(gradient, kLinesEnd / kHeight, 0.12, 0.07, 0.22);
    cairo_pattern_add_color_stop_rgb(gradient, kHorizon / kHeight, 0.75, 0.30, 0.15);
    cairo_set_source(cr, gradient);
    cairo_paint(cr);
    cairo_pattern_destroy(gradient);

    // Faint stars only, so the white lines over them stay readable.
    std::mt19937 random(25);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 0; i < 220; ++i) {
        const double x = unit(random) * kWidth, y = unit(random) * (kLinesEnd - 20);
        cairo_arc(cr, x, y, 0.8 + 1.6 * unit(random) * unit(random), 0, 2 * M_PI);
        setColour(cr, 0xfff6d8, 0.2 + 0.3 * unit(random));
        cairo_fill(cr);
    }
}

// A firepit on the field: its glow, the stones and three tongues of flame, `base` its row.
void firepit(cairo_t* cr, double x, double base)
{
    cairo_pattern_t* glow = cairo_pattern_create_radial(x, base - 15, 5, x, base - 15, 70);
    cairo_pattern_add_color_stop_rgba(glow, 0, 1.0, 0.6, 0.2, 0.6);
    cairo_pattern_add_color_stop_rgba(glow, 1, 1.0, 0.4, 0.1, 0.0);
    cairo_set_source(cr, glow);
    cairo_arc(cr, x, base - 15, 70, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);

    cairo_save(cr);
    cairo_translate(cr, x, base);
    cairo_scale(cr, 1.0, 0.3);
    cairo_arc(cr, 0, 0, 34, 0, 2 * M_PI);
    cairo_restore(cr);
    setColour(cr, 0x4b4f57);
    cairo_fill(cr);
    flame(cr, x, base, 62, 46, 0xe8331c);
    flame(cr, x - 11, base, 40, 28, 0xff8a1e);
    flame(cr, x + 10, base, 46, 28, 0xff8a1e);
    flame(cr, x, base, 28, 20, 0xffe36b);
}

// The field below the dusk, with the logotype between two firepits.
void field(cairo_t* cr)
{
    cairo_move_to(cr, 0, kHorizon + 8);
    cairo_curve_to(cr, 250, kHorizon - 4, 560, kHorizon + 10, kWidth, kHorizon);
    cairo_line_to(cr, kWidth, kHeight);
    cairo_line_to(cr, 0, kHeight);
    cairo_close_path(cr);
    setColour(cr, 0x16301f);
    cairo_fill(cr);
    firepit(cr, 120, 990);
    firepit(cr, kWidth - 120, 990);

    const char* font = "DejaVu Sans Bold 64px";
    const double cx = kWidth / 2.0, cy = 952;
    centredTextPath(cr, "ORVALE", font, cx + 3, cy + 3);
    setColour(cr, 0xd2081c);
    cairo_fill(cr);
    centredTextPath(cr, "ORVALE", font, cx, cy);
    cairo_pattern_t* face = cairo_pattern_create_linear(0, cy - 25, 0, cy + 25);
    cairo_pattern_add_color_stop_rgb(face, 0, 1.0, 0.95, 0.6);
    cairo_pattern_add_color_stop_rgb(face, 1, 1.0, 0.6, 0.12);
    cairo_set_source(cr, face);
    cairo_fill(cr);
    cairo_pattern_destroy(face);
    centredTextPath(cr, "OLDSCHOOL PARTY  *  NEW CONTINENT", "DejaVu Sans Bold 17px", cx, 998);
    setColour(cr, 0xffffff, 0.85);
    cairo_fill(cr);
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
    cairo_reset_clip(cr);

    roundedRect(cr, kMargin, kMargin, kWidth - 2 * kMargin, kHeight - 2 * kMargin, kRadius);
    cairo_set_line_width(cr, 8);
    setColour(cr, 0xd2081c);
    cairo_stroke(cr);
    return canvas.writePng(dir + "/orvale_25.png");
}

bool drawIcon(const std::string& path)
{
    // The poster's firepit under its dusk, on a rounded card, for menus and launchers.
    constexpr int kSide = 256;
    Canvas canvas(kSide, kSide);
    cairo_t* cr = canvas.cr;
    roundedRect(cr, 8, 8, kSide - 16, kSide - 16, 36);
    cairo_clip(cr);
    cairo_pattern_t* dusk = cairo_pattern_create_linear(0, 0, 0, kSide);
    cairo_pattern_add_color_stop_rgb(dusk, 0.0, 0.04, 0.05, 0.16);
    cairo_pattern_add_color_stop_rgb(dusk, 0.55, 0.12, 0.07, 0.22);
    cairo_pattern_add_color_stop_rgb(dusk, 0.78, 0.75, 0.30, 0.15);
    cairo_set_source(cr, dusk);
    cairo_paint(cr);
    cairo_pattern_destroy(dusk);
    cairo_rectangle(cr, 0, 200, kSide, kSide - 200);
    setColour(cr, 0x16301f);
    cairo_fill(cr);
    cairo_save(cr);
    cairo_translate(cr, kSide / 2.0, 212);
    cairo_scale(cr, 2.4, 2.4);
    firepit(cr, 0, 0);
    cairo_restore(cr);
    cairo_reset_clip(cr);
    roundedRect(cr, 8, 8, kSide - 16, kSide - 16, 36);
    cairo_set_line_width(cr, 6);
    setColour(cr, 0xd2081c);
    cairo_stroke(cr);
    return canvas.writePng(path);
}
