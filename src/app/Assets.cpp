#include "app/Assets.h"

#include <SDL.h>

#include "gfx/Glu.h"

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "app/Presentation.h"
#include "gfx/Random.h"
#include "gfx/TextureFile.h"

float LoadingBar::progress() const
{
    return static_cast<float>(current * length) / static_cast<float>(total) - 0.1f;
}

void LoadingBar::advance(int32_t k, int32_t width, int32_t height)
{
    current += k;
    const float x = -4.95f + progress();
    glBindFramebuffer(GL_FRAMEBUFFER, presenter ? presenter->beginFrame() : 0);

    glClearColor(1, 1, 1, 0);
    // The lower edge is the integer quotient of width by height: 1 pixel at every offered size.
    glViewport(0, width / height, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(70, static_cast<double>(width) / height, 0.01, 1000);
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

    if (presenter)
        presenter->showFrame();
    else
        SDL_GL_SwapWindow(SDL_GL_GetCurrentWindow());
    SDL_Delay(1);
    glDisable(GL_LINE_SMOOTH);
}

namespace {

// Shader programs that fail to build are said on stderr; the intro goes on without them.
ShaderProgram built(ShaderProgram (*build)(std::vector<std::string>&))
{
    std::vector<std::string> failures;
    ShaderProgram program = build(failures);
    for (const std::string& failure : failures) std::fprintf(stderr, "orvale-invit: %s\n", failure.c_str());
    return program;
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
        a.quad.emplace(FullScreenQuad::build());
        return {};
    },
    [](Assets& a) -> Status {
        glEnable(GL_TEXTURE_2D);  // after the first bar, which turns texturing off
        buildFloorGrid(a.floor, 64, 64, 0.5f, 120.0f, 0.0f, 1.0f);
        return {};
    },
    // Where the scenes' GLU quadric was made; nothing draws with one any more.
    [](Assets&) -> Status { return {}; },
    [](Assets& a) -> Status {
        a.programs.dreamvision = built(buildDreamvision);
        return {};
    },
    [](Assets& a) -> Status {
        a.programs.phong = built(buildPhong);
        a.programs.phongParticles = built(buildPhongParticles);
        return {};
    },
    [](Assets& a) -> Status {
        a.programs.detourage = built(buildDetourage);
        return {};
    },
    [](Assets& a) -> Status {
        a.programs.ondeDeChoc = built(buildOndeDeChoc);
        return {};
    },
    [](Assets& a) -> Status {
        a.programs.blackAndWhite = built(buildBlackAndWhite);
        return {};
    },
    [](Assets& a) -> Status {
        a.programs.outline = built(buildOutline);
        return {};
    },
    [](Assets& a) -> Status {
        a.systemFont.emplace("Verdana", 44, false, false);
        return {};
    },
    [](Assets& a) -> Status {
        a.textures.emplace(ProceduralTextures::build());
        return {};
    },
    [](Assets& a) -> Status { return keep(a.bubbles, SpeechBubbles::load(a.gfx)); },
    [](Assets& a) -> Status {
        a.metaballs.emplace();
        return {};
    },
    [](Assets& a) -> Status {
        const Status status = keep(a.closing, ClosingScene::load(a.gfx));
        if (status.ok()) configureGreetings(a.emitters);
        return status;
    },
    [](Assets& a) -> Status {
        Result<Texture> picture = loadTexture((a.gfx / "fontbrs1b.png").string(), false);
        if (!picture) return Failure{picture.message()};
        a.font.emplace(picture.take(), 9, 5.0);
        return {};
    },
    [](Assets& a) -> Status {
        a.ribbons.emplace(a.textures->flare.texture.get(), a.textures->circle.texture.get());
        return {};
    },
    [](Assets& a) -> Status {
        a.rock = buildDisplacedSphere();
        return {};
    },
    [](Assets& a) -> Status { return keep(a.twister, TwisterScene::load(a.gfx)); },
    [](Assets& a) -> Status { return keep(a.opening, OpeningScene::load(a.gfx)); },
    [](Assets& a) -> Status {
        return keep(a.burning, BurningScene::load(a.gfx, a.emitters, a.textures->flare.texture.get()));
    },
    [](Assets& a) -> Status {
        a.stems.emplace();
        return {};
    },
};

}  // namespace

Result<std::unique_ptr<Assets>> Assets::load(int32_t width, int32_t height, const std::filesystem::path& data,
                                             Presenter* presenter)
{
    auto assets = std::make_unique<Assets>();
    assets->gfx = data / "gfx";
    LoadingBar bar;
    bar.presenter = presenter;
    bar.setTotal(static_cast<int32_t>(std::size(kLoadSteps)));
    for (const LoadStep step : kLoadSteps) {
        const Status status = step(*assets);
        if (!status.ok()) return Failure{status.message()};
        bar.advance(1, width, height);
    }
    const Status targets = assets->resizeTargets(width, height);
    if (!targets.ok()) return Failure{targets.message()};
    SDL_Delay(300);
    return assets;
}

void Assets::restart()
{
    // A new process draws as seeded 1.
    seedLibraryRandom(1);
    setRandomSeed(kInitialRandomSeed);
    const GLuint flare = textures->flare.texture.get();
    emitters = SharedEmitters{};
    metaballs.emplace();
    configureGreetings(emitters);
    ribbons.emplace(flare, textures->circle.texture.get());
    burning->resetEmitters(emitters, flare);
    stems.emplace();
}

Status Assets::resizeTargets(int32_t width, int32_t height)
{
    filterTarget.reset();
    sceneTarget.reset();
    if (const Status s = keep(sceneTarget, RenderTarget::create(width, height)); !s.ok()) return s;
    return keep(filterTarget, RenderTarget::create(width, height));
}

Stage Assets::stage()
{
    return {SceneShared{*quad, programs, *textures, floor, rock, *font, emitters},
            *sceneTarget, *filterTarget, *bubbles, *opening, *burning, *stems, *metaballs, *ribbons, *twister,
            *closing};
}
