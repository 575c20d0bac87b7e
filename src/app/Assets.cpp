#include "app/Assets.h"

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "app/Screen.h"
#include "gfx/TextureFile.h"

float LoadingBar::progress() const
{
    return static_cast<float>(current * length) / static_cast<float>(total) - 0.1f;
}

void LoadingBar::draw(Gfx& g, Screen& screen, int32_t width, int32_t height) const
{
    const float x = -4.95f + progress();
    g.bindTarget(screen.beginFrame());
    // The lower edge is the integer quotient of width by height: 1 pixel at every offered size.
    g.viewport(0, width / height, width, height);
    g.projection.loadIdentity();
    perspective(g.projection.top(), 70, static_cast<double>(width) / height, 0.01, 1000);
    g.clear(1, 1, 1, 0);
    g.modelView.loadIdentity();
    g.modelView.translate(0, 0, -8);

    // The outline drawn opaque: its smoothing widens it without fading it.
    g.colour(0.6f, 0.6f, 0.6f, 1);
    g.begin(Primitive::LineLoop, {.depthTest = true, .smoothLines = true});
    g.vertex(-5, -0.2f, 0);
    g.vertex(5, -0.2f, 0);
    g.vertex(5, 0.2f, 0);
    g.vertex(-5, 0.2f, 0);
    g.end();

    g.colour(0.8235f, 0.031f, 0.1098f, 1);
    g.begin(Primitive::TriangleStrip, {.depthTest = true});
    g.vertex(x, -0.15f, 0);
    g.vertex(x, 0.15f, 0);
    g.vertex(-4.95f, -0.15f, 0);
    g.vertex(-4.95f, 0.15f, 0);
    g.end();
    screen.endFrame();
}

namespace {

// Shader programs that fail to build are said on stderr; the intro goes on without them.
template <typename Build>
ShaderProgram built(Assets& a, Build build)
{
    std::vector<std::string> failures;
    ShaderProgram program = build(a.g->device(), failures);
    for (const std::string& failure : failures) std::fprintf(stderr, "orvale-invit: %s\n", failure.c_str());
    return program;
}

// A composition's program as it stands and with the overlay multiplied in.
void buildCompositions(Assets& a, Composition composition)
{
    for (const bool overlaid : {false, true})
        a.programs.composing[static_cast<size_t>(composition)][overlaid ? 1 : 0] =
            built(a, [&](Device& device, std::vector<std::string>& failures) {
                return buildComposition(device, composition, overlaid, failures);
            });
}

template <typename T>
Status keep(std::optional<T>& slot, Result<T> made)
{
    if (!made) return Failure{made.message()};
    slot.emplace(made.take());
    return {};
}

// One piece of loading work: the bar advances by one step after each.
using LoadStep = Status (*)(Assets&);

constexpr LoadStep kLoadSteps[] = {
    [](Assets& a) -> Status {
        a.quad.emplace(FullScreenQuad::build(*a.g));
        return {};
    },
    [](Assets& a) -> Status {
        buildFloorGrid(a.floor, 64, 64, 0.5f, 120.0f, 0.0f, 1.0f);
        return {};
    },
    // Where the scenes' GLU quadric was made; nothing draws with one any more.
    [](Assets&) -> Status { return {}; },
    [](Assets& a) -> Status {
        buildCompositions(a, Composition::Laid);
        buildCompositions(a, Composition::Glow);
        return {};
    },
    [](Assets& a) -> Status {
        a.programs.phong = built(a, buildPhong);
        a.programs.phongParticles = built(a, buildPhongParticles);
        return {};
    },
    [](Assets& a) -> Status {
        a.programs.detourage = built(a, buildDetourage);
        return {};
    },
    [](Assets& a) -> Status {
        a.programs.ondeDeChoc = built(a, buildOndeDeChoc);
        return {};
    },
    [](Assets& a) -> Status {
        buildCompositions(a, Composition::GlowHatched);
        return {};
    },
    [](Assets& a) -> Status {
        buildCompositions(a, Composition::GlowHatchedOutlined);
        return {};
    },
    // The system font atlas, which no frame draws (empty on the page, which has no fonts).
    [](Assets& a) -> Status {
        a.systemFont.emplace(*a.g, "Verdana", 44, false, false, a.gfx.parent_path() / "fonts");
        return {};
    },
    [](Assets& a) -> Status {
        a.textures.emplace(ProceduralTextures::build(*a.g));
        return {};
    },
    [](Assets& a) -> Status { return keep(a.bubbles, SpeechBubbles::load(*a.g, a.gfx)); },
    [](Assets& a) -> Status {
        a.metaballs.emplace(*a.random);
        return {};
    },
    [](Assets& a) -> Status {
        const Status status = keep(a.closing, ClosingScene::load(*a.g, a.gfx));
        if (status.ok()) configureGreetings(a.emitters);
        return status;
    },
    [](Assets& a) -> Status {
        Result<Texture> picture = loadTexture(*a.g, (a.gfx / "fontbrs1b.png").string(), false);
        if (!picture) return Failure{picture.message()};
        a.font.emplace(picture.take(), 9, 5.0);
        return {};
    },
    [](Assets& a) -> Status {
        a.ribbons.emplace(*a.g, a.textures->flare.texture.id(), a.textures->circle.texture.id());
        return {};
    },
    [](Assets& a) -> Status {
        a.rock = buildDisplacedSphere().store(*a.g);
        return {};
    },
    [](Assets& a) -> Status { return keep(a.twister, TwisterScene::load(*a.g, a.gfx)); },
    [](Assets& a) -> Status { return keep(a.opening, OpeningScene::load(*a.g, a.gfx)); },
    [](Assets& a) -> Status {
        return keep(a.burning, BurningScene::load(*a.g, a.gfx, a.emitters, a.textures->flare.texture.id()));
    },
    [](Assets& a) -> Status {
        a.stems.emplace(*a.random);
        return {};
    },
};

}  // namespace

AssetLoader::AssetLoader(Gfx& g, Random& random, int32_t width, int32_t height, const std::filesystem::path& data)
    : assets_(std::make_unique<Assets>()), width_(width), height_(height)
{
    assets_->g = &g;
    assets_->random = &random;
    assets_->gfx = data / "gfx";
}

int32_t AssetLoader::steps() { return static_cast<int32_t>(std::size(kLoadSteps)); }

Result<bool> AssetLoader::step()
{
    const Status status = kLoadSteps[next_](*assets_);
    if (!status.ok()) return Failure{status.message()};
    if (++next_ < std::size(kLoadSteps)) return false;
    const Status targets = assets_->resizeTargets(width_, height_);
    if (!targets.ok()) return Failure{targets.message()};
    return true;
}

Status Assets::resizeTargets(int32_t width, int32_t height)
{
    filterTarget.reset();
    sceneTarget.reset();
    if (const Status s = keep(sceneTarget, g->createTarget(width, height)); !s.ok()) return s;
    return keep(filterTarget, g->createTarget(width, height));
}

Stage Assets::stage()
{
    return {SceneShared{*quad, programs, *textures, floor, rock, *font, emitters},
            *sceneTarget, *filterTarget, *bubbles, *opening, *burning, *stems, *metaballs, *ribbons, *twister,
            *closing, overlayPicture()};
}
