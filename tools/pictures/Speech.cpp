// Cartoon speech bubbles laid over Scenes B to F. Their quads cover 0.384 x 0.1875 of the
// screen (0.333 x 0.166 for the fourth), which is 3.6:1 on a 16:9 screen and 2.7:1 on a 4:3
// one; the pictures are drawn at 3.2:1 (1024 x 320) so the lettering is stretched little
// on either. White bubble, dark outline, a tail towards the speaker, transparent outside.
#include <algorithm>
#include <cmath>
#include <string>

#include "Canvas.h"
#include "Pictures.h"

namespace {

constexpr int kWidth = 1024, kHeight = 320;

enum class Tail { BottomLeft, BottomRight, TopLeft, TopRight };

struct Bubble {
    const char* file;
    const char* lines[2];
    Tail tail;
};

// Where each bubble sits on the screen decides its tail: it points away from the screen's
// nearest corner, towards the picture.
constexpr Bubble kBubbles[] = {
    {"speech1.png", {"WE BROUGHT", "THE FIREPIT!"}, Tail::TopLeft},
    {"speech2.png", {"EVERYTHING GROWS", "IN THE BIG FIELD"}, Tail::BottomRight},
    {"speech3.png", {"OLDSCHOOL BLOBS", "ON A NEW CONTINENT"}, Tail::TopRight},
    {"speech4.png", {"BRING YOUR PROD", "AND YOUR FRIENDS!"}, Tail::BottomLeft},
    {"speech5a.png", {"COME TO ORVALE", nullptr}, Tail::BottomLeft},
    {"speech5b.png", {"PLAY THE PIANO", nullptr}, Tail::BottomRight},
    {"speech5c.png", {"WATCH THE STARS!", nullptr}, Tail::BottomLeft},
};

bool drawBubble(const std::string& dir, const Bubble& bubble)
{
    Canvas canvas(kWidth, kHeight);
    cairo_t* cr = canvas.cr;

    // Body between y 16 and 240 (or 80 and 304 when the tail is on top), the tail filling the rest.
    const bool top = bubble.tail == Tail::TopLeft || bubble.tail == Tail::TopRight;
    const bool left = bubble.tail == Tail::BottomLeft || bubble.tail == Tail::TopLeft;
    const double bodyY = top ? 80 : 16, bodyH = 224, bodyX = 16, bodyW = kWidth - 32;
    const double baseX = left ? 220 : kWidth - 220;
    const double tipX = left ? 120 : kWidth - 120, tipY = top ? 14 : kHeight - 14;
    const double edgeY = top ? bodyY + 2 : bodyY + bodyH - 2;

    auto shape = [&] {
        roundedRect(cr, bodyX, bodyY, bodyW, bodyH, 90);
        cairo_new_sub_path(cr);
        cairo_move_to(cr, baseX - 50, edgeY);
        cairo_line_to(cr, tipX, tipY);
        cairo_line_to(cr, baseX + 50, edgeY);
        cairo_close_path(cr);
    };
    // Outline first, wide, then the white fill over its inner half, so the tail's seam vanishes.
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    shape();
    cairo_set_line_width(cr, 20);
    setColour(cr, 0x15121e);
    cairo_stroke_preserve(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    setColour(cr, 0xffffff);
    cairo_fill(cr);

    // Text: bold, as large as fits the body.
    const int lineCount = bubble.lines[1] ? 2 : 1;
    const double maxWidth = bodyW - 150, maxHeight = bodyH - 60;
    double size = lineCount == 2 ? 78 : 110;
    for (;; size -= 2) {
        const std::string font = "DejaVu Sans Bold " + std::to_string(static_cast<int>(size)) + "px";
        double width = 0;
        for (int i = 0; i < lineCount; ++i)
            width = std::max(width, measureText(cr, bubble.lines[i], font.c_str()).inkWidth);
        if (width <= maxWidth && size * 0.95 * lineCount <= maxHeight) break;
    }
    const std::string font = "DejaVu Sans Bold " + std::to_string(static_cast<int>(size)) + "px";
    const double lineStep = size * 0.95, centreY = bodyY + bodyH / 2;
    for (int i = 0; i < lineCount; ++i) {
        const double y = centreY + (i - (lineCount - 1) / 2.0) * lineStep;
        centredTextPath(cr, bubble.lines[i], font.c_str(), kWidth / 2.0, y);
    }
    setColour(cr, 0x15121e);
    cairo_fill(cr);
    return canvas.writePng(dir + "/" + bubble.file);
}

}  // namespace

bool drawSpeechBubbles(const std::string& dir)
{
    return std::all_of(std::begin(kBubbles), std::end(kBubbles),
                       [&dir](const Bubble& bubble) { return drawBubble(dir, bubble); });
}
