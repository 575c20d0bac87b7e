#include "timeline/Timeline.h"

#include "gfx/Glu.h"

#include "app/DisplaySettings.h"
#include "app/MainLoop.h"
#include "gfx/FullScreenQuad.h"
#include "gfx/Shaping.h"
#include "scenes/BurningScene.h"
#include "scenes/ClosingScene.h"
#include "scenes/MetaballScene.h"
#include "scenes/OpeningScene.h"
#include "scenes/RibbonScene.h"
#include "scenes/SpeechBubbles.h"
#include "scenes/StemScene.h"
#include "scenes/TwisterScene.h"
#include "text/BitmapFont.h"
#include "text/TextPages.h"
#include "timeline/Programs.h"
#include "timeline/RenderTarget.h"

float ClearLevel = 1.0f;
bool scenesDrawn = true;

float sceneProgress(const SceneWindow& window, int32_t t)
{
    if (t <= window.start) return 0.0f;
    if (t >= window.end) return 1.0f;
    return static_cast<float>(static_cast<double>(t - window.start) / (window.end - window.start));
}

int windowsAt(int32_t t, WindowRun (&runs)[8])
{
    static constexpr int order[8] = {1, 2, 4, 3, 6, 5, 7, 12};
    int count = 0;
    for (const int window : order) {
        const SceneWindow& w = kSceneWindows[window - 1];
        if (w.start <= t && t <= w.end) runs[count++] = {window, sceneProgress(w, t)};
    }
    return count;
}

namespace {

// Renders one scene into a target: texturing on, white, the target bound and cleared.
template <typename Scene>
void sceneInto(RenderTarget& target, Scene scene)
{
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
    target.bind();
    if (scenesDrawn) scene();
    target.unbind();
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
// build (or was never built) leaves the pass to the fixed-function pipeline.
void filterPass(ShaderProgram* program, const RenderTarget& source)
{
    if (program) program->use();
    source.bindTexture();
    fullScreenQuad->draw();
    glUseProgram(0);
}

void filterPass(ShaderProgram* program, const char* uniform, float value, const RenderTarget& source)
{
    if (program) program->setUniform(uniform, value);
    filterPass(program, source);
}

void composeOpening(float p)
{
    sceneInto(*SceneRT, [p] { drawOpeningScene(p); });
    alphaState();
    SceneRT->bindTexture();
    fullScreenQuad->draw();
}

void composeBurning(float p)
{
    sceneInto(*SceneRT, [p] { drawBurningScene(p); });
    additiveState();
    filterPass(dreamvisionProgram, *SceneRT);
    filterPass(blackAndWhiteProgram, "sync", 0.1f, *SceneRT);
    drawSpeechBubbles(p, 0);
}

void composeMetaballs(float p)
{
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
    SceneRT->bind();
    ClearLevel = 0.0f;
    if (scenesDrawn) drawMetaballScene(p, false);
    SceneRT->unbind();
    FilterRT->bind();
    if (scenesDrawn) drawMetaballScene(p, true);
    FilterRT->unbind();
    additiveState();
    filterPass(dreamvisionProgram, *FilterRT);
    const float sync = p < 0.7f ? 0.5f : 0.5f - 0.5f * linearStep(p, 0.7f, 1.0f);
    filterPass(blackAndWhiteProgram, "sync", sync, *SceneRT);
    filterPass(outlineProgram, *FilterRT);
    drawSpeechBubbles(p, 2);
}

void composeStems(float p)
{
    sceneInto(*SceneRT, [p] { drawStemScene(p); });
    ClearLevel = 0.0f;
    additiveState();
    filterPass(dreamvisionProgram, *SceneRT);
    drawSpeechBubbles(p, 1);
}

void composeTwister(float p)
{
    sceneInto(*SceneRT, [p] { drawTwisterScene(p, 0); });
    ClearLevel = 0.0f;
    additiveState();
    const float f = linearStep(p, 0.9f, 1.0f);
    glColor4f(1, 1, 1, 1 - f);
    filterPass(blackAndWhiteProgram, "sync", 0.5f + 0.5f * f, *SceneRT);
    if (dreamvisionProgram) dreamvisionProgram->use();
    SceneRT->bindTexture();
    fullScreenQuad->drawRippled(24 * p, 1.01f);
    glUseProgram(0);
    drawSpeechBubbles(p, 4);
}

void composeRibbons(float p)
{
    ClearLevel = 0.0f;
    sceneInto(*SceneRT, [p] { drawRibbonScene(p); });
    additiveState();
    filterPass(blackAndWhiteProgram, "sync", 0.25f, *SceneRT);
    // The glow is added twice.
    if (dreamvisionProgram) dreamvisionProgram->use();
    SceneRT->bindTexture();
    fullScreenQuad->draw();
    SceneRT->bindTexture();
    fullScreenQuad->draw();
    glUseProgram(0);
    drawSpeechBubbles(p, 3);
}

void composeClosing(float p, int32_t t)
{
    ClearLevel = 0.0f;
    sceneInto(*SceneRT, [p] { drawClosingScene(p); });
    alphaState();
    glColor4f(1, 1, 1, linearStep(p, 0.0f, 0.05f) - linearStep(p, 0.9f, 1.0f));
    SceneRT->bindTexture();
    fullScreenQuad->draw();
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, fontPicture);
    if (scenesDrawn)
        for (int page = 0; page < 4; ++page) drawTextPage(sceneProgress(kSceneWindows[7 + page], t), page);
}

}  // namespace

void drawFrame(int32_t t)
{
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glClearColor(ClearLevel, ClearLevel, ClearLevel, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glViewport(0, 0, displaySettings.width, displaySettings.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(75, static_cast<double>(displaySettings.width) / displaySettings.height, 0.001, 1000);

    WindowRun runs[8];
    const int count = windowsAt(t, runs);
    for (int i = 0; i < count; ++i) {
        const float p = runs[i].progress;
        switch (runs[i].window) {
        case 1: composeOpening(p); break;
        case 2: composeBurning(p); break;
        case 3: composeStems(p); break;
        case 4: composeMetaballs(p); break;
        case 5: composeRibbons(p); break;
        case 6: composeTwister(p); break;
        case 7: composeClosing(p, t); break;
        case 12: postQuit(); break;
        default: break;
        }
    }
}
