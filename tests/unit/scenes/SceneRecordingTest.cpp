// Scenes' frames recorded without a GPU: what they draw and with what state, where a slip in
// a state would change the picture; and that running a scene without drawing leaves what it
// carries to the next frame as drawing it does.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "effects/ParticleDrawing.h"
#include "effects/Programs.h"
#include "geometry/FloorGrid.h"
#include "geometry/Meshes.h"
#include "gfx/FullScreenQuad.h"
#include "gfx/ProceduralTexture.h"
#include "gfx/TextureFile.h"
#include "math/Random.h"
#include "scenes/BurningScene.h"
#include "scenes/MetaballScene.h"
#include "scenes/SceneShared.h"
#include "text/BitmapFont.h"

namespace {

const std::string kGfx = ORVALE_GFX_DIR;

// What the scenes draw with, made on a recording device.
struct Studio {
    NullDevice device{true};
    Gfx g{device};
    FullScreenQuad quad = FullScreenQuad::build(g);
    Programs programs;
    ProceduralTextures textures = ProceduralTextures::build(g);
    FloorGrid floor;
    Mesh rock = buildDisplacedSphere().store(g);
    std::optional<BitmapFont> font;
    SharedEmitters emitters;
    Random random;

    Studio()
    {
        std::vector<std::string> failures;
        programs.ondeDeChoc = buildOndeDeChoc(device, failures);
        programs.detourage = buildDetourage(device, failures);
        buildFloorGrid(floor, 64, 64, 0.5f, 120.0f, 0.0f, 1.0f);
        Result<Texture> picture = loadTexture(g, kGfx + "/fontbrs1b.png", false);
        EXPECT_TRUE(picture) << picture.message();
        font.emplace(picture.take(), 9, 5.0);
    }
    SceneShared shared() { return {quad, programs, textures, floor, rock, *font, emitters}; }
};

FrameContext frameAt(int32_t t, Random& random)
{
    return {t, t / 1000.0f, 1.0f / 60, 320, 180, nullptr, nullptr, true, &random};
}

bool sameTexture(const NullDevice::Draw& d, const ProceduralTexture& t) { return d.call.state.texture == t.texture.id(); }

TEST(SceneRecording, TheBurningCircleDrawsEachWithItsState)
{
    Studio studio;
    Result<BurningScene> loaded = BurningScene::load(studio.g, kGfx, studio.emitters, studio.textures.flare.texture.id());
    ASSERT_TRUE(loaded) << loaded.message();
    BurningScene& scene = loaded.value();
    // A few frames into the fall, before the freeze.
    for (int t = 14200; t <= 21600; t += 200) {
        studio.device.forget();
        scene.draw(studio.g, (t - 14110) / 15890.0f, frameAt(t, studio.random), studio.shared());
    }
    int streaks = 0, sprites = 0, floors = 0, rocks = 0;
    for (const NullDevice::Draw& d : studio.device.draws()) {
        const DrawState& s = d.call.state;
        if (d.call.mesh == studio.rock.id()) {
            ++rocks;
            EXPECT_EQ(s.lighting, Lighting::ColourMaterial);
            // Lit by light 0 and the material as the particles' last lit step of the frame
            // before left them: a light at a point, a shininess of 70.
            EXPECT_EQ(d.call.inputs.lightPosition[3], 1);
            EXPECT_EQ(d.call.inputs.shininess, 70);
            EXPECT_EQ(s.blend, Blend::Off);
            EXPECT_TRUE(s.depthTest);
        } else if (d.call.topology == Topology::Lines) {
            ++streaks;
            EXPECT_EQ(s.blend, Blend::Additive);
            EXPECT_FALSE(s.depthTest);
            EXPECT_TRUE(s.smoothLines);
            EXPECT_EQ(s.lineWidth, 2);
        } else if (sameTexture(d, studio.textures.flare)) {
            ++sprites;
            EXPECT_EQ(s.blend, Blend::Additive);
            EXPECT_FALSE(s.depthWrite);
        } else if (sameTexture(d, studio.textures.bigflare)) {
            ++floors;
            EXPECT_EQ(s.blend, Blend::Additive);
            EXPECT_TRUE(s.depthTest);
            EXPECT_FALSE(s.program) << "the shock wave before the freeze";
        }
        EXPECT_FALSE(s.fog);
    }
    EXPECT_EQ(rocks, 1);
    EXPECT_GT(streaks, 0);
    EXPECT_GT(sprites, 0);
    EXPECT_EQ(floors, 63);  // one strip per pair of the grid's rows

    // Frozen: the floor goes through the shock wave, its radius the freeze.
    studio.device.forget();
    scene.draw(studio.g, 0.95f, frameAt(29000, studio.random), studio.shared());
    bool shocked = false;
    for (const NullDevice::Draw& d : studio.device.draws())
        shocked = shocked || (sameTexture(d, studio.textures.bigflare) && d.call.state.program == studio.programs.ondeDeChoc.id());
    EXPECT_TRUE(shocked);
}

TEST(SceneRecording, TheMetaballsAreFoggedAndTheirSurfaceIsCutOut)
{
    Studio studio;
    MetaballScene scene(studio.random);
    for (const bool shapePass : {false, true}) {
        studio.device.forget();
        scene.draw(studio.g, 0.4f, shapePass, frameAt(71000, studio.random), studio.shared());
        int surfaces = 0;
        for (const NullDevice::Draw& d : studio.device.draws()) {
            const DrawState& s = d.call.state;
            if (s.program == studio.programs.detourage.id()) {
                ++surfaces;
                EXPECT_FALSE(s.texture) << "the surface samples black where it is not cut";
                EXPECT_EQ(s.moreTextures[0], studio.textures.circle.texture.id());
                EXPECT_EQ(s.blend, Blend::Off);
                EXPECT_STREQ(s.uniforms[0].name, "dval");  // the cut's threshold, given with the draw
                EXPECT_EQ(s.uniforms[0].value, 0.205f);
                EXPECT_GT(d.vertices.size(), 1000u);
            } else {
                EXPECT_TRUE(s.fog) << "a draw of the " << (shapePass ? "shape" : "environment") << " pass escapes the fog";
            }
        }
        EXPECT_EQ(surfaces, shapePass ? 1 : 0);
        EXPECT_EQ(studio.g.shading().fogEnd, 120);
    }
    // Without drawing, nothing of it reaches the device, and its fog is set all the same.
    studio.device.forget();
    studio.g.setFog(1);
    studio.g.setDrawing(false);
    scene.draw(studio.g, 0.4f, true, frameAt(71000, studio.random), studio.shared());
    EXPECT_TRUE(studio.device.draws().empty());
    EXPECT_EQ(studio.g.shading().fogEnd, 120);
}

}  // namespace
