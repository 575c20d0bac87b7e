// The bitmap font: 16 x 4 square cells, cell i (row by row from the top-left) holding the
// character 32 + i. The intro draws each cell 9 units wide but advances only 5, so every
// glyph keeps its ink inside the left five ninths of its cell: a bold, narrow face.
#include <algorithm>
#include <string>

#include "Canvas.h"
#include "Pictures.h"

namespace {
constexpr int kCell = 64;
constexpr double kInkLeft = 2.0;     // pixels kept clear at the cell's left edge
constexpr double kInkRight = 33.0;   // 5/9 of the cell is 35.6 pixels
constexpr double kBaseline = 50.0;   // from the cell's top
constexpr double kCapHeight = 40.0;
constexpr double kInkBottom = 62.0;  // nothing may reach into the next row's cell
constexpr const char* kFace = "DejaVu Sans Condensed Bold";
}  // namespace

bool drawBitmapFont(const std::string& dir)
{
    Canvas canvas(16 * kCell, 4 * kCell);
    cairo_t* cr = canvas.cr;

    // Size the face so that "H" has the cap height, and find the one horizontal squeeze
    // that makes the widest glyph fit; narrower glyphs keep their proportions.
    const TextBox h = measureText(cr, "H", (std::string(kFace) + " 100px").c_str());
    const double px = 100.0 * kCapHeight / h.inkHeight;
    const std::string font = std::string(kFace) + " " + std::to_string(static_cast<int>(px)) + "px";
    double widest = 0.0;
    for (int c = 33; c < 96; ++c) {
        const char text[2] = {static_cast<char>(c), 0};
        widest = std::max(widest, measureText(cr, text, font.c_str()).inkWidth);
    }
    const double squeeze = (kInkRight - kInkLeft) / widest;
    const TextBox reference = measureText(cr, "H", font.c_str());
    const double baselineOffset = reference.inkY + reference.inkHeight;  // layout top to baseline

    setColour(cr, 0xffffff);
    for (int c = 33; c < 96; ++c) {
        const int i = c - 32;
        const char text[2] = {static_cast<char>(c), 0};
        const TextBox box = measureText(cr, text, font.c_str());
        const double cellX = (i % 16) * kCell, cellY = (i / 16) * kCell;
        const double centre = cellX + (kInkLeft + kInkRight) / 2;
        // Glyphs that reach far below the baseline ("_") are lifted to stay in the cell.
        const double bottom = kBaseline - baselineOffset + box.inkY + box.inkHeight;
        const double lift = std::max(0.0, bottom - kInkBottom);
        cairo_save(cr);
        cairo_translate(cr, centre, cellY + kBaseline - lift);
        cairo_scale(cr, squeeze, 1.0);
        textPath(cr, text, font.c_str(), -(box.inkX + box.inkWidth / 2), -baselineOffset);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    return canvas.writePng(dir + "/fontbrs1b.png");
}
