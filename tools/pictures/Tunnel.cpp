// The wall of the twisting column: repeated 4 times around and about 50 times up the column,
// so it tiles seamlessly both ways. Bright riveted metal panels with bevelled edges and a
// brushed grain, readable when each tile is only a few pixels tall.
#include <cmath>
#include <random>
#include <string>

#include "Canvas.h"
#include "Pictures.h"

namespace {
constexpr int kSize = 512;
constexpr int kPanels = 4;  // panels per side of the tile
constexpr double kPanel = kSize / double(kPanels);
}  // namespace

bool drawTunnelWall(const std::string& dir)
{
    Canvas canvas(kSize, kSize);
    cairo_t* cr = canvas.cr;
    setColour(cr, 0x3c4450);
    cairo_paint(cr);

    std::mt19937 random(4242);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int py = 0; py < kPanels; ++py) {
        for (int px = 0; px < kPanels; ++px) {
            const double x = px * kPanel + 4, y = py * kPanel + 4, w = kPanel - 8;
            // Panel face: a diagonal steel gradient, each panel a little different in tone.
            const double tone = 0.78 + 0.12 * unit(random);
            cairo_pattern_t* steel = cairo_pattern_create_linear(x, y, x + w, y + w);
            cairo_pattern_add_color_stop_rgb(steel, 0.0, tone + 0.1, tone + 0.12, tone + 0.15);
            cairo_pattern_add_color_stop_rgb(steel, 0.5, tone - 0.18, tone - 0.15, tone - 0.1);
            cairo_pattern_add_color_stop_rgb(steel, 1.0, tone, tone + 0.02, tone + 0.06);
            cairo_rectangle(cr, x, y, w, w);
            cairo_set_source(cr, steel);
            cairo_fill(cr);
            cairo_pattern_destroy(steel);

            // Bevel: light along the top and left, shade along the bottom and right.
            cairo_set_line_width(cr, 4);
            cairo_move_to(cr, x + 2, y + w - 2);
            cairo_line_to(cr, x + 2, y + 2);
            cairo_line_to(cr, x + w - 2, y + 2);
            setColour(cr, 0xffffff, 0.75);
            cairo_stroke(cr);
            cairo_move_to(cr, x + w - 2, y + 2);
            cairo_line_to(cr, x + w - 2, y + w - 2);
            cairo_line_to(cr, x + 2, y + w - 2);
            setColour(cr, 0x10141a, 0.7);
            cairo_stroke(cr);

            // Brushed grain: thin streaks across the panel face.
            cairo_save(cr);
            cairo_rectangle(cr, x, y, w, w);
            cairo_clip(cr);
            cairo_set_line_width(cr, 1);
            for (int i = 0; i < 40; ++i) {
                const double streakY = std::floor(y + unit(random) * w) + 0.5;
                cairo_move_to(cr, x, streakY);
                cairo_line_to(cr, x + w, streakY);
                setColour(cr, unit(random) < 0.5 ? 0xffffff : 0x000000, 0.06 + 0.06 * unit(random));
                cairo_stroke(cr);
            }
            cairo_restore(cr);

            // Every other panel carries a cross brace.
            if ((px + py) % 2 == 0) {
                cairo_set_line_width(cr, 7);
                cairo_move_to(cr, x + 14, y + 14);
                cairo_line_to(cr, x + w - 14, y + w - 14);
                cairo_move_to(cr, x + w - 14, y + 14);
                cairo_line_to(cr, x + 14, y + w - 14);
                setColour(cr, 0x2a3038, 0.8);
                cairo_stroke(cr);
            }

            // Rivets in the corners.
            for (double rx : {x + 12, x + w - 12})
                for (double ry : {y + 12, y + w - 12}) {
                    cairo_arc(cr, rx, ry, 5, 0, 2 * M_PI);
                    setColour(cr, 0x20262e);
                    cairo_fill(cr);
                    cairo_arc(cr, rx - 1, ry - 1, 3, 0, 2 * M_PI);
                    setColour(cr, 0xf4f8ff);
                    cairo_fill(cr);
                }
        }
    }

    return canvas.writeJpeg(dir + "/tunnel3.jpg", 92);
}
