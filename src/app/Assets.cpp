#include "app/Assets.h"

#include <SDL.h>

#include "app/DisplaySettings.h"
#include "app/FrameClock.h"
#include "audio/MusicPlayer.h"
#include "geometry/FloorGrid.h"
#include "geometry/Meshes.h"
#include "gfx/FullScreenQuad.h"
#include "gfx/ProceduralTexture.h"
#include "scenes/BurningScene.h"
#include "scenes/ClosingScene.h"
#include "scenes/MetaballScene.h"
#include "scenes/OpeningScene.h"
#include "scenes/RibbonScene.h"
#include "scenes/SpeechBubbles.h"
#include "scenes/StemScene.h"
#include "scenes/TwisterScene.h"
#include "text/BitmapFont.h"
#include "text/SystemFontAtlas.h"
#include "timeline/Programs.h"
#include "timeline/RenderTarget.h"

LoadingBar loadingBar;
GLUquadric* sceneQuadric = nullptr;

float LoadingBar::progress() const
{
    return static_cast<float>(current * length) / static_cast<float>(total) - 0.1f;
}

void LoadingBar::advance(int32_t k)
{
    current += k;
    const float x = -4.95f + progress();

    glClearColor(1, 1, 1, 0);
    // The lower edge is the integer quotient of width by height: 1 pixel at every offered size.
    glViewport(0, displaySettings.width / displaySettings.height, displaySettings.width, displaySettings.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(70, static_cast<double>(displaySettings.width) / displaySettings.height, 0.01, 1000);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);

    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glDisable(GL_LIGHTING);
    glEnable(GL_LINE_SMOOTH);
    glLoadIdentity();
    glTranslatef(0, 0, -8);

    glColor3f(0.6f, 0.6f, 0.6f);
    glBegin(GL_LINE_LOOP);
    glVertex2f(-5, -0.2f);
    glVertex2f(5, -0.2f);
    glVertex2f(5, 0.2f);
    glVertex2f(-5, 0.2f);
    glEnd();

    glColor3f(0.8235f, 0.031f, 0.1098f);
    glBegin(GL_TRIANGLE_STRIP);
    glVertex2f(x, -0.15f);
    glVertex2f(x, 0.15f);
    glVertex2f(-4.95f, -0.15f);
    glVertex2f(-4.95f, 0.15f);
    glEnd();

    SDL_GL_SwapWindow(SDL_GL_GetCurrentWindow());
    SDL_Delay(1);
    glDisable(GL_LINE_SMOOTH);
}

int loadAssets()
{
    loadingBar.setTotal(21);
    fullScreenQuad->buildLists();
    loadingBar.advance(1);
    glEnable(GL_TEXTURE_2D);

    floorGrid = new FloorGrid;
    buildFloorGrid(*floorGrid, 64, 64, 0.5f, 120.0f, 0.0f, 1.0f);
    loadingBar.advance(1);

    sceneQuadric = gluNewQuadric();
    gluQuadricTexture(sceneQuadric, GL_TRUE);
    loadingBar.advance(1);

    dreamvisionProgram = buildDreamvision();
    loadingBar.advance(1);
    phongProgram = buildPhong();
    phongParticlesProgram = buildPhongParticles();
    loadingBar.advance(1);
    detourageProgram = buildDetourage();
    loadingBar.advance(1);
    ondeDeChocProgram = buildOndeDeChoc();
    loadingBar.advance(1);
    blackAndWhiteProgram = buildBlackAndWhite();
    loadingBar.advance(1);
    outlineProgram = buildOutline();
    loadingBar.advance(1);

    systemFontAtlas = new SystemFontAtlas("Verdana", 44, false, false);
    loadingBar.advance(1);
    buildProceduralTextures();
    loadingBar.advance(1);
    loadSpeechBubbles();
    loadingBar.advance(1);
    initMetaballScene();
    loadingBar.advance(1);
    initClosingScene();
    loadingBar.advance(1);
    fontPicture = fullScreenQuad->loadTexture("data/gfx/fontbrs1b.png", 0);
    buildBitmapFont(9, 5.0);
    loadingBar.advance(1);
    initRibbonScene();
    loadingBar.advance(1);
    buildDisplacedSphere();
    loadingBar.advance(1);
    loadTwisterScene();
    loadingBar.advance(1);
    initOpeningScene();
    loadingBar.advance(1);
    initBurningScene();
    loadingBar.advance(1);
    initStemScene();
    loadingBar.advance(1);

    SceneRT->create(displaySettings.width, displaySettings.height);
    FilterRT->create(displaySettings.width, displaySettings.height);
    SDL_Delay(300);
    frameClock.reset();
    musicPlayer->playFile("data/music/tidewater.ogg");
    return 1;
}

namespace {
void releaseTarget(RenderTarget*& target)
{
    if (!target) return;
    target->release();
    delete target;
    target = nullptr;
}
}  // namespace

void releaseAssets()
{
    releaseProceduralTextures();
    releaseSpeechBubbles();
    releaseOpeningScene();
    releaseBurningScene();
    releaseMetaballScene();
    releaseClosingScene();
    glDeleteTextures(1, &fontPicture);
    releaseDisplacedSphere();
    releaseTwisterScene();

    gluDeleteQuadric(sceneQuadric);
    sceneQuadric = nullptr;

    releaseProgram(dreamvisionProgram);
    releaseProgram(outlineProgram);
    releaseProgram(detourageProgram);
    releaseProgram(blackAndWhiteProgram);
    releaseTarget(SceneRT);
    releaseProgram(phongProgram);
    releaseProgram(phongParticlesProgram);
    releaseTarget(FilterRT);
    releaseProgram(ondeDeChocProgram);

    delete floorGrid;
    floorGrid = nullptr;
    fullScreenQuad->releaseLists();
    delete systemFontAtlas;
    systemFontAtlas = nullptr;
    musicPlayer->release();
}
