#include <cairo.h>
#include <pango/pangocairo.h>

#include "Pictures.h"

namespace {

// Draws text centred on x at baseline-free top y, in the given font and colour.
void centredText(cairo_t* cr, const char* text, const char* font, double x, double y, double r, double g, double b)
{
    PangoLayout* layout = pango_cairo_create_layout(cr);
    PangoFontDescription* description = pango_font_description_from_string(font);
    pango_layout_set_font_description(layout, description);
    pango_font_description_free(description);
    pango_layout_set_text(layout, text, -1);
    int width = 0, height = 0;
    pango_layout_get_pixel_size(layout, &width, &height);
    cairo_set_source_rgb(cr, r, g, b);
    cairo_move_to(cr, x - width / 2.0, y);
    pango_cairo_show_layout(cr, layout);
    g_object_unref(layout);
}

}  // namespace

bool drawBanner(const std::string& path)
{
    constexpr int width = 392, height = 125;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(surface);

    // Night sky over the party field: deep blue to dark red at the horizon.
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, height);
    cairo_pattern_add_color_stop_rgb(sky, 0.0, 0.04, 0.05, 0.16);
    cairo_pattern_add_color_stop_rgb(sky, 0.75, 0.20, 0.06, 0.14);
    cairo_pattern_add_color_stop_rgb(sky, 1.0, 0.82, 0.03, 0.11);
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);

    // A few fixed stars.
    constexpr double stars[][3] = {{22, 14, 1.2},  {61, 40, 0.8},  {97, 9, 1.0},   {140, 30, 0.7},
                                   {188, 12, 1.1}, {233, 44, 0.8}, {274, 18, 1.3}, {318, 36, 0.7},
                                   {352, 8, 1.0},  {377, 52, 0.9}, {40, 66, 0.7},  {300, 70, 0.8}};
    cairo_set_source_rgb(cr, 1.0, 1.0, 0.92);
    for (const auto& star : stars) {
        cairo_arc(cr, star[0], star[1], star[2], 0, 6.2832);
        cairo_fill(cr);
    }

    centredText(cr, "VASKEL", "DejaVu Sans Bold 38", width / 2.0, 12, 1.0, 1.0, 1.0);
    centredText(cr, "ORVALE INVIT 2011", "DejaVu Sans Bold 15", width / 2.0, 74, 1.0, 0.85, 0.35);

    cairo_destroy(cr);
    const bool ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return ok;
}
