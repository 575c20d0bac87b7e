#include "scenes/BurningScene.h"

#include "gfx/Glu.h"

#include <utility>

#include "effects/ParticleDrawing.h"
#include "geometry/FloorGrid.h"
#include "geometry/Meshes.h"
#include "gfx/FullScreenQuad.h"
#include "gfx/ProceduralTexture.h"
#include "gfx/Programs.h"
#include "gfx/Shaping.h"
#include "gfx/TextureFile.h"
#include "text/BitmapFont.h"

namespace {

// The rock from its arrays; the texture coordinates are its positions again.
void drawRock(const IndexedMesh& rock)
{
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, rock.positions.data());
    glNormalPointer(GL_FLOAT, 0, rock.normals.data());
    glTexCoordPointer(3, GL_FLOAT, 0, rock.positions.data());
    glDrawElements(rock.primitive, rock.indexCount, GL_UNSIGNED_SHORT, rock.indices.data());
}

}  // namespace

Result<BurningScene> BurningScene::load(const std::filesystem::path& gfx, SharedEmitters& emitters, GLuint flare)
{
    BurningScene scene;
    Result<Texture> overlay = loadTexture((gfx / "overlay.png").string(), false);
    if (!overlay) return Failure{overlay.message()};
    scene.overlay_ = overlay.take();
    Result<Texture> flash = loadTexture((gfx / "flash.png").string(), false);
    if (!flash) return Failure{flash.message()};
    scene.flash_ = flash.take();
    scene.resetEmitters(emitters, flare);
    return scene;
}

void BurningScene::resetEmitters(SharedEmitters& emitters, GLuint flare)
{
    configureFireRing(emitters, flare);
    meteoriteFlamme = ParticleEmitter{};
    meteoriteFlamme.configure(meteorFlameSettings(flare), 3000);
}

float BurningScene::clearLevel(float p) { return 1 - linearStep(p, 0, 0.12f); }

void BurningScene::draw(float p, const FrameContext& frame, const SceneShared& shared)
{
    const float freeze = linearStep(p, 0.869f, 1.0f);
    const float fall = linearStep(p, 0.45f, 0.776f);
    const float flash = sinePulse(p, 0.91f, 1.0f, 1.0f);

    ParticleEmitter& hellCircle = shared.emitters.hellCircle;
    ParticleEmitter& twinkles = shared.emitters.twinkles;
    const ParticleFrame particles{frame.elapsed, &shared.font};
    glLoadIdentity();
    hellCircle.setPosition(0, 0, 0, 0, 0, 0);
    hellCircle.shapeRadius = 12.5f + 50 * linearStep(p, 0.5f, 1.0f);
    twinkles.setPosition(0, 0, 0, 25, 25, 0);
    if (freeze <= 0) {
        hellCircle.update(frame.delta + 0.02f);
        twinkles.update(frame.delta);
    }

    // The camera comes down from straight above to a low, nearly level view while the world
    // turns 128 degrees about the vertical.
    gluLookAt(2 * p - 2, 132 - 120 * linearStep(p, 0, 0.95f), 5 + 50 * linearStep(p, 0.2f, 0.9f), 0,
              120 * linearStep(p, 0, 0.9f) - 118, 0.1, 0, 1, 0);
    glRotatef(128 * p, 0, 1, 0);

    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    glEnable(GL_COLOR_MATERIAL);
    if (fall > 0) {
        glPushMatrix();
        const float height = 400 - 405 * fall;
        glTranslatef(0, height, 0);
        meteoriteFlamme.setPosition(0, 0, height, 4.5f, 4.5f, 4.5f);
        glRotatef(1200 * p, 1, -1, 0.5f);
        glColor4f(1, 1, 1, 1);
        glScalef(2.5f, 2.5f, 2.5f);
        drawRock(shared.rock);
        glPopMatrix();
        glDisable(GL_COLOR_MATERIAL);
        if (freeze <= 0) meteoriteFlamme.update(frame.delta);
    }

    // The emitters' +z is the world's up.
    glPushMatrix();
    glRotatef(90, -1, 0, 0);
    drawParticles(hellCircle, particles);
    if (fall > 0) drawParticles(meteoriteFlamme, particles);
    glDepthMask(GL_FALSE);
    drawParticles(twinkles, particles);
    glDepthMask(GL_TRUE);
    glPopMatrix();

    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    if (freeze > 0) shared.programs.ondeDeChoc.setUniform("ttime", freeze);
    glBindTexture(GL_TEXTURE_2D, shared.textures.bigflare.texture.get());
    drawFloorGrid(shared.floor, 0.85f);
    if (freeze > 0) glUseProgram(0);
    if (flash > 0) {
        glBindTexture(GL_TEXTURE_2D, flash_.get());
        glColor4f(0.5f, 0.8f, 1.0f, flash);
        shared.quad.draw();
    }
}
