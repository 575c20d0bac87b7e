#include "gfx/Fog.h"

#include <epoxy/gl.h>

void enableBlackFog(float end)
{
    const GLfloat black[4] = {0, 0, 0, 1};
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogfv(GL_FOG_COLOR, black);
    glFogf(GL_FOG_DENSITY, 0.25f);  // unused by linear fog; set as the scenes always did
    glHint(GL_FOG_HINT, GL_DONT_CARE);
    glFogf(GL_FOG_START, 0.0f);
    glFogf(GL_FOG_END, end);
    glEnable(GL_FOG);
}
