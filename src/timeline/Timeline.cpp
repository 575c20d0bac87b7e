#include "timeline/Timeline.h"

#include <algorithm>
#include <cmath>

#include "effects/Programs.h"
#include "gfx/FullScreenQuad.h"
#include "math/Shaping.h"
#include "text/BitmapFont.h"
#include "text/TextPages.h"

float sceneProgress(const SceneWindow& window, int32_t t)
{
    if (t <= window.start) return 0.0f;
    if (t >= window.end) return 1.0f;
    return static_cast<float>(static_cast<double>(t - window.start) / (window.end - window.start));
}

size_t chapterIndexAt(int32_t t)
{
    size_t shown = 0;
    while (shown + 1 < std::size(kChapters) && kChapters[shown + 1].start() <= t) ++shown;
    return shown;
}

int windowsAt(int32_t t, WindowRun (&runs)[8])
{
    using enum TimeWindow;
    static constexpr TimeWindow order[8] = {Opening, Burning, Metaballs, Stems, Twister, Ribbons, Closing, End};
    int count = 0;
    for (const TimeWindow window : order) {
        const SceneWindow& w = sceneWindow(window);
        if (w.start <= t && t <= w.end) runs[count++] = {window, sceneProgress(w, t)};
    }
    return count;
}

namespace {

// Makes a target (none: the frame's own framebuffer) where the next draws go, with the
// viewport over all of it.
void bindWhole(Gfx& g, const RenderTarget* target, const FrameContext& frame)
{
    g.bindTarget(target);
    if (target)
        g.viewport(0, 0, target->width(), target->height());
    else
        g.viewport(0, 0, frame.width, frame.height);
}

// Renders one scene into a target cleared to the frame's grey; then the frame's framebuffer is
// where the next draws go.
template <typename Scene>
void sceneInto(Gfx& g, RenderTarget& target, const FrameContext& frame, float grey, Scene scene)
{
    g.colour(1, 1, 1, 1);
    bindWhole(g, &target, frame);
    g.clear(grey, grey, grey, 1);
    if (frame.scenesDrawn) scene();
    bindWhole(g, frame.output, frame);
}

// Every finished frame is multiplied by the overlay picture: the intro's "screen" look.
void multiplyOverlay(Gfx& g, const Stage& s)
{
    g.colour(1, 1, 1, 1);
    s.shared.quad.draw(g, DrawState{.blend = Blend::Multiply, .texture = s.overlay});
}

// What a window's composing pass puts over the whole frame, replacing what it held.
struct Composing {
    Composition kind;
    const RenderTarget& scene;    // laid over or hatched
    const RenderTarget* glowing = nullptr;  // glowing and outlined; none: the scene
    float laidAlpha = 1;
    float glows = 1;      // how many times the glow is added
    float hatchSync = 0;  // "black and white"'s sync
    bool rippled = false; // the glow through the grid rippling with the window's progress
};

// The composing pass onto the grey the frame would have been cleared to, at the window's
// progress p, with the overlay multiplied in when `overlaid`.
void compose(Gfx& g, const Stage& s, float grey, float p, const Composing& c, bool overlaid)
{
    // White: the pass's vertices carry the glow's share in the colour's alpha.
    g.colour(1, 1, 1, 1);
    // The grey as the 8-bit frame would have held it.
    const float held = std::round(std::clamp(grey, 0.0f, 1.0f) * 255) / 255;
    const DrawState pass{.texture = c.scene.picture(),
                     .moreTextures = {(c.glowing ? *c.glowing : c.scene).picture(), overlaid ? s.overlay : TextureId{}},
                     .program = s.shared.programs.composition(c.kind, overlaid).id(),
                     .uniforms = {{{"grey", held},
                                   {"laidAlpha", c.laidAlpha},
                                   {"glows", c.glows},
                                   {"hatchSync", c.hatchSync}}}};
    if (c.rippled)
        s.shared.quad.drawRippled(g, pass, 24 * p, 1.01f);
    else
        s.shared.quad.draw(g, pass);
}

// A composing pass, then a window's set of speech bubbles over it. The overlay is multiplied in
// by the pass while the bubbles show nothing, else by a pass of its own after them.
void composeUnderBubbles(Gfx& g, Stage& s, float grey, float p, const Composing& c, int set)
{
    const bool overlaid = !s.bubbles.shows(p, set);
    compose(g, s, grey, p, c, overlaid);
    s.bubbles.draw(g, p, set);
    if (!overlaid) multiplyOverlay(g, s);
}

// Each composition returns the grey level the next frame is cleared to.

float composeOpening(Gfx& g, Stage& s, const FrameContext& frame, float grey, float p)
{
    sceneInto(g, s.sceneTarget, frame, grey, [&] { s.opening.draw(g, p); });
    const Composing c{.kind = Composition::Laid, .scene = s.sceneTarget};
    compose(g, s, grey, p, c, true);
    return 1.0f;
}

float composeBurning(Gfx& g, Stage& s, const FrameContext& frame, float grey, float p)
{
    sceneInto(g, s.sceneTarget, frame, grey, [&] { s.burning.draw(g, p, frame, s.shared); });
    const Composing c{.kind = Composition::GlowHatched, .scene = s.sceneTarget, .hatchSync = 0.1f};
    composeUnderBubbles(g, s, grey, p, c, 0);
    return BurningScene::clearLevel(p);
}

float composeMetaballs(Gfx& g, Stage& s, const FrameContext& frame, float grey, float p)
{
    sceneInto(g, s.sceneTarget, frame, grey, [&] { s.metaballs.draw(g, p, false, frame, s.shared); });
    sceneInto(g, s.filterTarget, frame, grey, [&] { s.metaballs.draw(g, p, true, frame, s.shared); });
    const float sync = p < 0.7f ? 0.5f : 0.5f - 0.5f * linearStep(p, 0.7f, 1.0f);
    const Composing c{.kind = Composition::GlowHatchedOutlined,
                      .scene = s.sceneTarget,
                      .glowing = &s.filterTarget,
                      .hatchSync = sync};
    composeUnderBubbles(g, s, grey, p, c, 2);
    return 0.0f;
}

float composeStems(Gfx& g, Stage& s, const FrameContext& frame, float grey, float p)
{
    sceneInto(g, s.sceneTarget, frame, grey, [&] { s.stems.draw(g, p, frame, s.shared); });
    const Composing c{.kind = Composition::Glow, .scene = s.sceneTarget};
    composeUnderBubbles(g, s, grey, p, c, 1);
    return 0.0f;
}

float composeTwister(Gfx& g, Stage& s, const FrameContext& frame, float grey, float p)
{
    sceneInto(g, s.sceneTarget, frame, grey, [&] { s.twister.draw(g, p, frame, s.shared); });
    const Composing c{.kind = Composition::GlowHatched,
                      .scene = s.sceneTarget,
                      .hatchSync = 0.5f + 0.5f * linearStep(p, 0.9f, 1.0f),
                      .rippled = true};
    composeUnderBubbles(g, s, grey, p, c, 4);
    return 0.0f;
}

float composeRibbons(Gfx& g, Stage& s, const FrameContext& frame, float grey, float p)
{
    sceneInto(g, s.sceneTarget, frame, grey, [&] { s.ribbons.draw(g, p, frame, s.shared); });
    // The glow is added twice.
    const Composing c{.kind = Composition::GlowHatched, .scene = s.sceneTarget, .glows = 2, .hatchSync = 0.25f};
    composeUnderBubbles(g, s, grey, p, c, 3);
    return 0.0f;
}

float composeClosing(Gfx& g, Stage& s, const FrameContext& frame, float grey, float p)
{
    sceneInto(g, s.sceneTarget, frame, grey, [&] { s.closing.draw(g, p); });
    constexpr TimeWindow kPages[4] = {TimeWindow::Page1, TimeWindow::Page2, TimeWindow::Page3, TimeWindow::Page4};
    float pageProgress[4];
    bool pagesShow = false;
    for (int page = 0; page < 4; ++page) {
        pageProgress[page] = sceneProgress(sceneWindow(kPages[page]), frame.timeMs);
        pagesShow = pagesShow || (frame.scenesDrawn && textPageShows(pageProgress[page], page));
    }
    const Composing c{.kind = Composition::Laid,
                      .scene = s.sceneTarget,
                      .laidAlpha = linearStep(p, 0.0f, 0.05f) - linearStep(p, 0.9f, 1.0f)};
    compose(g, s, grey, p, c, !pagesShow);
    if (frame.scenesDrawn)
        for (int page = 0; page < 4; ++page) drawTextPage(g, pageProgress[page], page, s.shared.font);
    if (pagesShow) multiplyOverlay(g, s);
    return 1.0f;
}

}  // namespace

FrameResult drawFrame(Gfx& g, Stage& stage, const FrameContext& frame, float clearLevel)
{
    bindWhole(g, frame.output, frame);
    g.projection.loadIdentity();
    perspective(g.projection.top(), 75, static_cast<double>(frame.width) / frame.height, 0.001, 1000);
    g.modelView.loadIdentity();

    FrameResult result{clearLevel, false};
    WindowRun runs[8];
    const int count = windowsAt(frame.timeMs, runs);
    // Every window but the end covers the whole frame; without one it is the grey alone.
    if (std::none_of(runs, runs + count, [](const WindowRun& run) { return run.window != TimeWindow::End; })) {
        g.clear(clearLevel, clearLevel, clearLevel, 1);
        multiplyOverlay(g, stage);
    }
    for (int i = 0; i < count; ++i) {
        const float p = runs[i].progress;
        const float grey = clearLevel;
        switch (runs[i].window) {
        case TimeWindow::Opening: result.clearLevel = composeOpening(g, stage, frame, grey, p); break;
        case TimeWindow::Burning: result.clearLevel = composeBurning(g, stage, frame, grey, p); break;
        case TimeWindow::Stems: result.clearLevel = composeStems(g, stage, frame, grey, p); break;
        case TimeWindow::Metaballs: result.clearLevel = composeMetaballs(g, stage, frame, grey, p); break;
        case TimeWindow::Ribbons: result.clearLevel = composeRibbons(g, stage, frame, grey, p); break;
        case TimeWindow::Twister: result.clearLevel = composeTwister(g, stage, frame, grey, p); break;
        case TimeWindow::Closing: result.clearLevel = composeClosing(g, stage, frame, grey, p); break;
        case TimeWindow::End: result.ended = true; break;
        default: break;  // the text pages are composed inside the closing window
        }
    }
    return result;
}
