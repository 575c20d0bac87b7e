#include "app/ControlOverlay.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "math/Matrix.h"
#include "timeline/Timeline.h"

namespace {

// The font's cells are 9 units high and move the pen on by 5.
constexpr float kCell = 9, kAdvance = 5;

int32_t introLength() { return sceneWindow(TimeWindow::End).start; }

void rectangle(Gfx& g, float x0, float y0, float x1, float y1)
{
    g.begin(Primitive::Quads, {.blend = Blend::Alpha});
    g.vertex(x0, y0, 0);
    g.vertex(x1, y0, 0);
    g.vertex(x1, y1, 0);
    g.vertex(x0, y1, 0);
    g.end();
}

void write(Gfx& g, const BitmapFont& font, float x, float y, float scale, const std::string& text)
{
    g.modelView.loadIdentity();
    g.modelView.translate(x, y, 0);
    g.modelView.scale(scale, scale, 1);
    font.write(g, {.blend = Blend::Alpha}, text);
    g.modelView.loadIdentity();
}

}  // namespace

std::string overlayTime(int32_t ms)
{
    const auto minutesAndSeconds = [](int32_t t) {
        char text[16];
        std::snprintf(text, sizeof text, "%d:%02d", t / 60000, t / 1000 % 60);
        return std::string(text);
    };
    return minutesAndSeconds(std::max(ms, 0)) + " / " + minutesAndSeconds(introLength());
}

std::string overlayChapter(int32_t ms)
{
    std::string title = kChapters[chapterIndexAt(ms)].title;
    for (char& c : title) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return title;
}

void drawControlOverlay(Gfx& g, const BitmapFont& font, int32_t width, int32_t height, const OverlayState& state)
{
    if (width <= 0 || height <= 0) return;
    // What the drawing layer carries belongs to the intro's state: the overlay leaves it as found.
    const Gfx::Carried intro = g.carried();
    // One unit of the font a pixel at 180 rows, two at 360, and so on.
    const float s = static_cast<float>(std::max(1, height / 180));
    const float margin = 4 * s, line = kCell * s;
    const float barHeight = 2 * s, tick = 3 * s;
    const float bandHeight = margin + barHeight + tick + margin + line + margin;
    g.viewport(0, 0, width, height);
    g.projection.loadIdentity();
    ortho(g.projection.top(), 0, static_cast<float>(width), 0, static_cast<float>(height), -1, 1);
    g.modelView.loadIdentity();

    g.colour(0, 0, 0, 0.6f);
    rectangle(g, 0, 0, static_cast<float>(width), bandHeight);

    // The timeline: the whole intro, the part up to the moment filled, each chapter's start marked.
    const float left = margin, right = static_cast<float>(width) - margin, y = margin;
    const auto at = [&](int32_t t) { return left + (right - left) * static_cast<float>(t) / introLength(); };
    g.colour(0.5f, 0.5f, 0.5f, 1);
    rectangle(g, left, y, right, y + barHeight);
    g.colour(0.8235f, 0.031f, 0.1098f, 1);
    rectangle(g, left, y, at(std::clamp(state.shownMs, 0, introLength())), y + barHeight);
    g.colour(1, 1, 1, 1);
    for (const Chapter& c : kChapters) {
        const float x = std::round(at(c.start()));
        rectangle(g, x, y, x + s, y + barHeight + tick);
    }

    const float textY = y + barHeight + tick + margin;
    const std::string time = overlayTime(state.shownMs);
    const std::string chapter = overlayChapter(state.shownMs);
    write(g, font, left, textY, s, time);
    const char* word = state.catchingUp ? "CATCHING UP" : state.paused ? "PAUSED" : "";
    const float wordWidth = static_cast<float>(std::string_view(word).size()) * kAdvance * s;
    write(g, font, right - wordWidth, textY, s, word);
    // The chapter after the time where the window has room for it.
    const float chapterX = left + static_cast<float>(time.size() + 2) * kAdvance * s;
    if (chapterX + static_cast<float>(chapter.size()) * kAdvance * s <= right - wordWidth - kAdvance * s)
        write(g, font, chapterX, textY, s, chapter);
    g.restore(intro);
}
