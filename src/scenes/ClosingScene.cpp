#include "scenes/ClosingScene.h"

#include "geometry/Shapes.h"
#include "gfx/TextureFile.h"
#include "math/Shaping.h"

Result<ClosingScene> ClosingScene::load(Gfx& g, const std::filesystem::path& gfx)
{
    Result<Texture> picture = loadTexture(g, (gfx / "orvale_25.png").string(), false);
    if (!picture) return Failure{picture.message()};
    ClosingScene scene;
    scene.picture_ = picture.take();
    return scene;
}

void ClosingScene::draw(Gfx& g, float p) const
{
    const float a = linearStep(p, 0, 0.05f), b = linearStep(p, 0.9f, 0.95f);
    // The poster, 2.24 x 2.59 scaled by half, 1.12 in front of the eye: three quarters of
    // the screen's height, centred, fading in over 5 % of the window and out from 90 % to 95 %.
    g.modelView.loadIdentity();
    g.modelView.translate(0, 0, -1.12f);
    g.colour(1, 1, 1, a - b);
    g.modelView.scale(0.5f, 0.5f, 1);
    drawTexturedRect(g, DrawState{.blend = Blend::Alpha, .texture = picture_.id()}, -1.12f, -1.295f, 1.12f, 1.295f);
}
