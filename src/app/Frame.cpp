#include "app/Frame.h"

#include "gfx/Glu.h"

#include "app/DisplaySettings.h"
#include "gfx/FullScreenQuad.h"
#include "scenes/BurningScene.h"
#include "timeline/Timeline.h"

namespace {

// The projection every frame starts from: a 75 degree vertical field of view over the
// chosen resolution, whatever the window's client area.
void beginFrame()
{
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glViewport(0, 0, displaySettings.width, displaySettings.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(75.0, static_cast<double>(displaySettings.width) / displaySettings.height, 0.01, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
}

// Every finished frame is multiplied by the overlay picture: the intro's "screen" look.
void multiplyOverlay()
{
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    glColor3f(1, 1, 1);
    glBindTexture(GL_TEXTURE_2D, overlayPicture);
    fullScreenQuad->draw();
}

}  // namespace

void renderFrame(int32_t t)
{
    beginFrame();
    drawFrame(t);
    multiplyOverlay();
}
