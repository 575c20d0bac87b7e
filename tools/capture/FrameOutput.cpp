#include "FrameOutput.h"

#include <pango/pangocairo.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "gfx/Gfx.h"

void readPixels(Gfx& g, int width, int height, std::vector<uint8_t>& rgba)
{
    rgba.resize(static_cast<size_t>(width) * height * 4);
    g.readPixels({0, 0, width, height}, rgba.data());
}

cairo_surface_t* readFrame(Gfx& g, int width, int height)
{
    std::vector<uint8_t> rgba;
    readPixels(g, width, height, rgba);

    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < height; ++y) {
        // GL's first row is the bottom one.
        const uint8_t* source = rgba.data() + static_cast<size_t>(height - 1 - y) * width * 4;
        auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
        for (int x = 0; x < width; ++x, source += 4)
            row[x] = uint32_t{source[0]} << 16 | uint32_t{source[1]} << 8 | source[2];
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

namespace {
constexpr int kCellWidth = 240;
constexpr int kLabelHeight = 22;
constexpr int kGap = 6;
}  // namespace

Storyboard::Storyboard(int cells, int frameWidth, int frameHeight)
    : columns_(std::min(cells, 8)),
      cellWidth_(kCellWidth),
      cellHeight_(static_cast<int>(std::lround(kCellWidth * static_cast<double>(frameHeight) / frameWidth)))
{
    const int rows = (cells + columns_ - 1) / columns_;
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, columns_ * (cellWidth_ + kGap) + kGap,
                                          rows * (cellHeight_ + kLabelHeight + kGap) + kGap);
    cr_ = cairo_create(surface_);
    cairo_set_source_rgb(cr_, 0.15, 0.15, 0.17);
    cairo_paint(cr_);
}

Storyboard::~Storyboard()
{
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

void Storyboard::add(cairo_surface_t* frame, int timeMs)
{
    const double x = kGap + (filled_ % columns_) * (cellWidth_ + kGap);
    const double y = kGap + (filled_ / columns_) * (cellHeight_ + kLabelHeight + kGap);
    ++filled_;

    cairo_save(cr_);
    cairo_translate(cr_, x, y);
    cairo_scale(cr_, static_cast<double>(cellWidth_) / cairo_image_surface_get_width(frame),
                static_cast<double>(cellHeight_) / cairo_image_surface_get_height(frame));
    cairo_set_source_surface(cr_, frame, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_GOOD);
    cairo_paint(cr_);
    cairo_restore(cr_);

    char label[32];
    std::snprintf(label, sizeof label, "%d.%03d s", timeMs / 1000, timeMs % 1000);
    PangoLayout* layout = pango_cairo_create_layout(cr_);
    PangoFontDescription* font = pango_font_description_from_string("DejaVu Sans 11px");
    pango_layout_set_font_description(layout, font);
    pango_font_description_free(font);
    pango_layout_set_text(layout, label, -1);
    cairo_set_source_rgb(cr_, 0.9, 0.9, 0.9);
    cairo_move_to(cr_, x + 2, y + cellHeight_ + 4);
    pango_cairo_show_layout(cr_, layout);
    g_object_unref(layout);
}

bool Storyboard::write(const std::string& path)
{
    cairo_surface_flush(surface_);
    return cairo_surface_write_to_png(surface_, path.c_str()) == CAIRO_STATUS_SUCCESS;
}
