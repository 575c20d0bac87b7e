#include "timeline/Timeline.h"

#include "gfx/Glu.h"

#include "gfx/FullScreenQuad.h"
#include "gfx/Programs.h"
#include "gfx/Shaping.h"
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

// Renders one scene into a target: texturing on, white, the target bound and cleared.
template <typename Scene>
void sceneInto(RenderTarget& target, const FrameContext& frame, Scene scene)
{
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
    target.bind();
    if (frame.scenesDrawn) scene();
    RenderTarget::unbind(frame.output, frame.width, frame.height);
}

void compositionState(GLenum destinationFactor)
{
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, destinationFactor);
    glColor4f(1, 1, 1, 1);
}
void additiveState() { compositionState(GL_ONE); }
void alphaState() { compositionState(GL_ONE_MINUS_SRC_ALPHA); }

// One full-screen pass of a target's picture through a program. A program that failed to
// build leaves the pass to the fixed-function pipeline.
void filterPass(const FullScreenQuad& quad, const ShaderProgram& program, const RenderTarget& source)
{
    program.use();
    source.bindTexture();
    quad.draw();
    glUseProgram(0);
}

void filterPass(const FullScreenQuad& quad, const ShaderProgram& program, const char* uniform, float value,
                const RenderTarget& source)
{
    program.setUniform(uniform, value);
    filterPass(quad, program, source);
}

// Each composition returns the grey level the next frame is cleared to.

float composeOpening(Stage& s, const FrameContext& frame, float p)
{
    sceneInto(s.sceneTarget, frame, [&] { s.opening.draw(p); });
    alphaState();
    s.sceneTarget.bindTexture();
    s.shared.quad.draw();
    return 1.0f;
}

float composeBurning(Stage& s, const FrameContext& frame, float p)
{
    const Programs& programs = s.shared.programs;
    sceneInto(s.sceneTarget, frame, [&] { s.burning.draw(p, frame, s.shared); });
    additiveState();
    filterPass(s.shared.quad, programs.dreamvision, s.sceneTarget);
    filterPass(s.shared.quad, programs.blackAndWhite, "sync", 0.1f, s.sceneTarget);
    s.bubbles.draw(p, 0);
    return BurningScene::clearLevel(p);
}

float composeMetaballs(Stage& s, const FrameContext& frame, float p)
{
    const Programs& programs = s.shared.programs;
    const FullScreenQuad& quad = s.shared.quad;
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
    s.sceneTarget.bind();
    if (frame.scenesDrawn) s.metaballs.draw(p, false, frame, s.shared);
    RenderTarget::unbind(frame.output, frame.width, frame.height);
    s.filterTarget.bind();
    if (frame.scenesDrawn) s.metaballs.draw(p, true, frame, s.shared);
    RenderTarget::unbind(frame.output, frame.width, frame.height);
    additiveState();
    filterPass(quad, programs.dreamvision, s.filterTarget);
    const float sync = p < 0.7f ? 0.5f : 0.5f - 0.5f * linearStep(p, 0.7f, 1.0f);
    filterPass(quad, programs.blackAndWhite, "sync", sync, s.sceneTarget);
    filterPass(quad, programs.outline, s.filterTarget);
    s.bubbles.draw(p, 2);
    return 0.0f;
}

float composeStems(Stage& s, const FrameContext& frame, float p)
{
    sceneInto(s.sceneTarget, frame, [&] { s.stems.draw(p, frame, s.shared); });
    additiveState();
    filterPass(s.shared.quad, s.shared.programs.dreamvision, s.sceneTarget);
    s.bubbles.draw(p, 1);
    return 0.0f;
}

float composeTwister(Stage& s, const FrameContext& frame, float p)
{
    const Programs& programs = s.shared.programs;
    sceneInto(s.sceneTarget, frame, [&] { s.twister.draw(p, frame, s.shared); });
    additiveState();
    const float f = linearStep(p, 0.9f, 1.0f);
    glColor4f(1, 1, 1, 1 - f);
    filterPass(s.shared.quad, programs.blackAndWhite, "sync", 0.5f + 0.5f * f, s.sceneTarget);
    programs.dreamvision.use();
    s.sceneTarget.bindTexture();
    s.shared.quad.drawRippled(24 * p, 1.01f);
    glUseProgram(0);
    s.bubbles.draw(p, 4);
    return 0.0f;
}

float composeRibbons(Stage& s, const FrameContext& frame, float p)
{
    const Programs& programs = s.shared.programs;
    sceneInto(s.sceneTarget, frame, [&] { s.ribbons.draw(p, frame, s.shared, s.burning.flashPicture()); });
    additiveState();
    filterPass(s.shared.quad, programs.blackAndWhite, "sync", 0.25f, s.sceneTarget);
    // The glow is added twice.
    programs.dreamvision.use();
    s.sceneTarget.bindTexture();
    s.shared.quad.draw();
    s.sceneTarget.bindTexture();
    s.shared.quad.draw();
    glUseProgram(0);
    s.bubbles.draw(p, 3);
    return 0.0f;
}

float composeClosing(Stage& s, const FrameContext& frame, float p)
{
    sceneInto(s.sceneTarget, frame, [&] { s.closing.draw(p); });
    alphaState();
    glColor4f(1, 1, 1, linearStep(p, 0.0f, 0.05f) - linearStep(p, 0.9f, 1.0f));
    s.sceneTarget.bindTexture();
    s.shared.quad.draw();
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, s.shared.font.picture());
    constexpr TimeWindow kPages[4] = {TimeWindow::Page1, TimeWindow::Page2, TimeWindow::Page3, TimeWindow::Page4};
    if (frame.scenesDrawn)
        for (int page = 0; page < 4; ++page)
            drawTextPage(sceneProgress(sceneWindow(kPages[page]), frame.timeMs), page, s.shared.font.listBase());
    return 1.0f;
}

}  // namespace

FrameResult drawFrame(Stage& stage, const FrameContext& frame, float clearLevel)
{
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glClearColor(clearLevel, clearLevel, clearLevel, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glViewport(0, 0, frame.width, frame.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(75, static_cast<double>(frame.width) / frame.height, 0.001, 1000);

    FrameResult result{clearLevel, false};
    WindowRun runs[8];
    const int count = windowsAt(frame.timeMs, runs);
    for (int i = 0; i < count; ++i) {
        const float p = runs[i].progress;
        switch (runs[i].window) {
        case TimeWindow::Opening: result.clearLevel = composeOpening(stage, frame, p); break;
        case TimeWindow::Burning: result.clearLevel = composeBurning(stage, frame, p); break;
        case TimeWindow::Stems: result.clearLevel = composeStems(stage, frame, p); break;
        case TimeWindow::Metaballs: result.clearLevel = composeMetaballs(stage, frame, p); break;
        case TimeWindow::Ribbons: result.clearLevel = composeRibbons(stage, frame, p); break;
        case TimeWindow::Twister: result.clearLevel = composeTwister(stage, frame, p); break;
        case TimeWindow::Closing: result.clearLevel = composeClosing(stage, frame, p); break;
        case TimeWindow::End: result.ended = true; break;
        default: break;  // the text pages are composed inside the closing window
        }
    }
    return result;
}
