#pragma once

#include "effects/LitCubeBatch.h"
#include "effects/ParticleEmitter.h"
#include "gfx/Gfx.h"

class BitmapFont;
class ShaderProgram;

// What drawing particles takes from outside their emitter.
struct ParticleFrame {
    float clockSeconds = 0;            // the clock's elapsed seconds, which turn the wire boxes, spirals and discs
    const BitmapFont* font = nullptr;  // writes DrawStyle::Text; nothing is written without it
    bool fog = false;                  // the scene's fog falls on the particles (not on the words)
};

// The state the lit solids are drawn with: untextured, alpha-blended, depth-tested, lit by
// light 0 on the particle's own material; it is also what every other style but the flat
// sprites starts from.
inline constexpr DrawState kLitSolid{.blend = Blend::Alpha, .depthTest = true, .lighting = Lighting::Material};

// Draws the emitter's live particles with the current matrices. Flat sprites and streaks go
// to the device as one batch; every other style one particle at a time. Each particle's lit
// step leaves light 0 and the material set for its solid, which later lit draws take.
void drawParticles(Gfx& g, ParticleEmitter& e, const ParticleFrame& frame);
// The live particles drawn one at a time, each with its full state: what drawParticles shows,
// which batches the styles that allow it.
void drawParticlesOneByOne(Gfx& g, ParticleEmitter& e, const ParticleFrame& frame);
// drawParticles with the lit solids shaded by `program`. Lit cubes (DrawStyle::SmallCube and
// Cube) go to the device as one instanced batch through `batchProgram`, the same shading fed
// each particle's transform, light and tint per instance: all but the last particle, which is
// drawn as drawParticles draws it, so that the light and material left behind are the same.
// Without a linked batch program they are drawn one by one.
void drawParticlesShaded(Gfx& g, ParticleEmitter& e, const ParticleFrame& frame, const ShaderProgram& program,
                         const ShaderProgram& batchProgram, LitCubeBatch& batch);
