#include "timeline/Timeline.h"

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

// The composition's passes: a target's picture over the whole frame, added or laid over it.
constexpr DrawState kAdded{.blend = Blend::Additive};
constexpr DrawState kLaidOver{.blend = Blend::Alpha};

// Makes a target (none: the frame's own framebuffer) where the next draws go, cleared to the
// frame's grey, with the viewport over all of it.
void bindCleared(Gfx& g, const RenderTarget* target, const FrameContext& frame, float grey)
{
    g.bindTarget(target);
    g.clear(grey, grey, grey, 1);
    if (target)
        g.viewport(0, 0, target->width(), target->height());
    else
        g.viewport(0, 0, frame.width, frame.height);
}

// Renders one scene into a target, which is bound and cleared; then the frame's framebuffer
// is bound again and cleared, so that only the compositions after it show.
template <typename Scene>
void sceneInto(Gfx& g, RenderTarget& target, const FrameContext& frame, float grey, Scene scene)
{
    g.colour(1, 1, 1, 1);
    bindCleared(g, &target, frame, grey);
    if (frame.scenesDrawn) scene();
    bindCleared(g, frame.output, frame, grey);
}

// One full-screen pass of a target's picture through a program, with the value of its own
// uniform where it has one, added to the frame.
void filterPass(Gfx& g, const FullScreenQuad& quad, const ShaderProgram& program, const RenderTarget& source,
                ProgramUniform uniform = {})
{
    DrawState pass = kAdded.withTexture(source.picture());
    pass.program = program.id();
    pass.uniforms[0] = uniform;
    quad.draw(g, pass);
}

// Each composition returns the grey level the next frame is cleared to.

float composeOpening(Gfx& g, Stage& s, const FrameContext& frame, float grey, float p)
{
    sceneInto(g, s.sceneTarget, frame, grey, [&] { s.opening.draw(g, p); });
    g.colour(1, 1, 1, 1);
    s.shared.quad.draw(g, kLaidOver.withTexture(s.sceneTarget.picture()));
    return 1.0f;
}

float composeBurning(Gfx& g, Stage& s, const FrameContext& frame, float grey, float p)
{
    Programs& programs = s.shared.programs;
    sceneInto(g, s.sceneTarget, frame, grey, [&] { s.burning.draw(g, p, frame, s.shared); });
    g.colour(1, 1, 1, 1);
    filterPass(g, s.shared.quad, programs.dreamvision, s.sceneTarget);
    filterPass(g, s.shared.quad, programs.blackAndWhite, s.sceneTarget, {"sync", 0.1f});
    s.bubbles.draw(g, p, 0);
    return BurningScene::clearLevel(p);
}

float composeMetaballs(Gfx& g, Stage& s, const FrameContext& frame, float grey, float p)
{
    Programs& programs = s.shared.programs;
    const FullScreenQuad& quad = s.shared.quad;
    sceneInto(g, s.sceneTarget, frame, grey, [&] { s.metaballs.draw(g, p, false, frame, s.shared); });
    sceneInto(g, s.filterTarget, frame, grey, [&] { s.metaballs.draw(g, p, true, frame, s.shared); });
    g.colour(1, 1, 1, 1);
    filterPass(g, quad, programs.dreamvision, s.filterTarget);
    const float sync = p < 0.7f ? 0.5f : 0.5f - 0.5f * linearStep(p, 0.7f, 1.0f);
    filterPass(g, quad, programs.blackAndWhite, s.sceneTarget, {"sync", sync});
    filterPass(g, quad, programs.outline, s.filterTarget);
    s.bubbles.draw(g, p, 2);
    return 0.0f;
}

float composeStems(Gfx& g, Stage& s, const FrameContext& frame, float grey, float p)
{
    sceneInto(g, s.sceneTarget, frame, grey, [&] { s.stems.draw(g, p, frame, s.shared); });
    g.colour(1, 1, 1, 1);
    filterPass(g, s.shared.quad, s.shared.programs.dreamvision, s.sceneTarget);
    s.bubbles.draw(g, p, 1);
    return 0.0f;
}

float composeTwister(Gfx& g, Stage& s, const FrameContext& frame, float grey, float p)
{
    Programs& programs = s.shared.programs;
    sceneInto(g, s.sceneTarget, frame, grey, [&] { s.twister.draw(g, p, frame, s.shared); });
    const float f = linearStep(p, 0.9f, 1.0f);
    g.colour(1, 1, 1, 1 - f);
    filterPass(g, s.shared.quad, programs.blackAndWhite, s.sceneTarget, {"sync", 0.5f + 0.5f * f});
    DrawState rippled = kAdded.withTexture(s.sceneTarget.picture());
    rippled.program = programs.dreamvision.id();
    s.shared.quad.drawRippled(g, rippled, 24 * p, 1.01f);
    s.bubbles.draw(g, p, 4);
    return 0.0f;
}

float composeRibbons(Gfx& g, Stage& s, const FrameContext& frame, float grey, float p)
{
    Programs& programs = s.shared.programs;
    sceneInto(g, s.sceneTarget, frame, grey, [&] { s.ribbons.draw(g, p, frame, s.shared); });
    g.colour(1, 1, 1, 1);
    filterPass(g, s.shared.quad, programs.blackAndWhite, s.sceneTarget, {"sync", 0.25f});
    // The glow is added twice.
    filterPass(g, s.shared.quad, programs.dreamvision, s.sceneTarget);
    filterPass(g, s.shared.quad, programs.dreamvision, s.sceneTarget);
    s.bubbles.draw(g, p, 3);
    return 0.0f;
}

float composeClosing(Gfx& g, Stage& s, const FrameContext& frame, float grey, float p)
{
    sceneInto(g, s.sceneTarget, frame, grey, [&] { s.closing.draw(g, p); });
    g.colour(1, 1, 1, linearStep(p, 0.0f, 0.05f) - linearStep(p, 0.9f, 1.0f));
    s.shared.quad.draw(g, kLaidOver.withTexture(s.sceneTarget.picture()));
    constexpr TimeWindow kPages[4] = {TimeWindow::Page1, TimeWindow::Page2, TimeWindow::Page3, TimeWindow::Page4};
    if (frame.scenesDrawn)
        for (int page = 0; page < 4; ++page)
            drawTextPage(g, sceneProgress(sceneWindow(kPages[page]), frame.timeMs), page, s.shared.font);
    return 1.0f;
}

}  // namespace

FrameResult drawFrame(Gfx& g, Stage& stage, const FrameContext& frame, float clearLevel)
{
    bindCleared(g, frame.output, frame, clearLevel);
    g.projection.loadIdentity();
    perspective(g.projection.top(), 75, static_cast<double>(frame.width) / frame.height, 0.001, 1000);
    g.modelView.loadIdentity();

    FrameResult result{clearLevel, false};
    WindowRun runs[8];
    const int count = windowsAt(frame.timeMs, runs);
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
