#include "scenes/ClosingScene.h"

#include "geometry/Shapes.h"
#include "gfx/Shaping.h"
#include "gfx/TextureFile.h"

Result<ClosingScene> ClosingScene::load(const std::filesystem::path& gfx)
{
    Result<Texture> picture = loadTexture((gfx / "orvale_25.png").string(), false);
    if (!picture) return Failure{picture.message()};
    ClosingScene scene;
    scene.picture_ = picture.take();
    return scene;
}

void ClosingScene::draw(float p) const
{
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    const float a = linearStep(p, 0, 0.05f), b = linearStep(p, 0.9f, 0.95f);
    glDisable(GL_FOG);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    // The poster, 2.24 x 2.59 scaled by half, 1.12 in front of the eye: three quarters of
    // the screen's height, centred, fading in over 5 % of the window and out from 90 % to 95 %.
    glLoadIdentity();
    glTranslatef(0, 0, -1.12f);
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, a - b);
    glScalef(0.5f, 0.5f, 1);
    glBindTexture(GL_TEXTURE_2D, picture_.get());
    drawTexturedRect(-1.12f, -1.295f, 1.12f, 1.295f);
}
