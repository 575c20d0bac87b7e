#include "scenes/BurningScene.h"

#include <utility>

#include "effects/ParticleDrawing.h"
#include "effects/Programs.h"
#include "geometry/FloorGrid.h"
#include "geometry/Meshes.h"
#include "gfx/FullScreenQuad.h"
#include "gfx/ProceduralTexture.h"
#include "gfx/TextureFile.h"
#include "math/Shaping.h"
#include "text/BitmapFont.h"

namespace {

// The meteor: opaque, lit in its own colour.
constexpr DrawState kRock{.blend = Blend::Off, .depthTest = true, .lighting = Lighting::ColourMaterial};
// The floor: its picture added, behind what stands on it.
constexpr DrawState kFloor{.blend = Blend::Additive, .depthTest = true};
// The flash: its picture added over the whole picture.
constexpr DrawState kFlash{.blend = Blend::Additive};

}  // namespace

Result<BurningScene> BurningScene::load(Gfx& g, const std::filesystem::path& gfx, SharedEmitters& emitters,
                                        TextureId flare)
{
    BurningScene scene;
    Result<Texture> overlay = loadTexture(g, (gfx / "overlay.png").string(), false);
    if (!overlay) return Failure{overlay.message()};
    scene.overlay_ = overlay.take();
    Result<Texture> flash = loadTexture(g, (gfx / "flash.png").string(), false);
    if (!flash) return Failure{flash.message()};
    scene.flash_ = flash.take();
    configureFireRing(emitters, flare);
    scene.meteoriteFlamme.configure(meteorFlameSettings(flare), 3000);
    return scene;
}

float BurningScene::clearLevel(float p) { return 1 - linearStep(p, 0, 0.12f); }

void BurningScene::draw(Gfx& g, float p, const FrameContext& frame, const SceneShared& shared)
{
    const float freeze = linearStep(p, 0.869f, 1.0f);
    const float fall = linearStep(p, 0.45f, 0.776f);
    const float flash = sinePulse(p, 0.91f, 1.0f, 1.0f);

    ParticleEmitter& hellCircle = shared.emitters.hellCircle;
    ParticleEmitter& twinkles = shared.emitters.twinkles;
    const ParticleFrame particles{frame.elapsed, &shared.font, false};
    g.modelView.loadIdentity();
    hellCircle.setPosition(0, 0, 0, 0, 0, 0);
    hellCircle.shapeRadius = 12.5f + 50 * linearStep(p, 0.5f, 1.0f);
    twinkles.setPosition(0, 0, 0, 25, 25, 0);
    if (freeze <= 0) {
        hellCircle.update(frame.delta + 0.02f, *frame.random);
        twinkles.update(frame.delta, *frame.random);
    }

    // The camera comes down from straight above to a low, nearly level view while the world
    // turns 128 degrees about the vertical.
    lookAt(g.modelView.top(), 2 * p - 2, 132 - 120 * linearStep(p, 0, 0.95f), 5 + 50 * linearStep(p, 0.2f, 0.9f), 0,
           120 * linearStep(p, 0, 0.9f) - 118, 0.1, 0, 1, 0);
    g.modelView.rotate(128 * p, 0, 1, 0);

    // The meteor is lit by light 0 as the particles' last lit step of the frame before left it.
    if (fall > 0) {
        g.modelView.push();
        const float height = 400 - 405 * fall;
        g.modelView.translate(0, height, 0);
        meteoriteFlamme.setPosition(0, 0, height, 4.5f, 4.5f, 4.5f);
        g.modelView.rotate(1200 * p, 1, -1, 0.5f);
        g.colour(1, 1, 1, 1);
        g.modelView.scale(2.5f, 2.5f, 2.5f);
        g.draw(shared.rock, kRock);
        g.modelView.pop();
        if (freeze <= 0) meteoriteFlamme.update(frame.delta, *frame.random);
    }

    // The emitters' +z is the world's up.
    g.modelView.push();
    g.modelView.rotate(90, -1, 0, 0);
    drawParticles(g, hellCircle, particles);
    if (fall > 0) drawParticles(g, meteoriteFlamme, particles);
    drawParticles(g, twinkles, particles);
    g.modelView.pop();

    // Once the scene freezes, the floor's picture goes through the shock wave.
    DrawState floor = kFloor.withTexture(shared.textures.bigflare.texture.id());
    if (freeze > 0) {
        floor.program = shared.programs.ondeDeChoc.id();
        floor.uniforms[0] = {"ttime", freeze};
    }
    drawFloorGrid(g, floor, shared.floor, 0.85f);
    if (flash > 0) {
        g.colour(0.5f, 0.8f, 1.0f, flash);
        shared.quad.draw(g, kFlash.withTexture(flash_.id()));
    }
}
