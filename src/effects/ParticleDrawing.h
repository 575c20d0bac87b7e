#pragma once

#include "effects/LitCubeBatch.h"
#include "effects/ParticleEmitter.h"

class BitmapFont;
class ShaderProgram;

// What drawing particles takes from outside their emitter.
struct ParticleFrame {
    float clockSeconds = 0;            // the clock's elapsed seconds, which turn the wire boxes, spirals and discs
    const BitmapFont* font = nullptr;  // writes DrawStyle::Text; nothing is written without it
};

// Draws the emitter's live particles with the current matrices. Flat sprites and streaks go
// to GL as one batch; every other style one particle at a time.
void drawParticles(ParticleEmitter& e, const ParticleFrame& frame);
// The live particles drawn one at a time, each with its full state: what drawParticles shows,
// which batches the styles that allow it.
void drawParticlesOneByOne(ParticleEmitter& e, const ParticleFrame& frame);
// drawParticles with `program` current. Lit cubes (DrawStyle::SmallCube and Cube) go to GL as
// one instanced batch through `batchProgram`, the same shading fed each particle's transform,
// light and tint per instance: all but the last particle, which is drawn as drawParticles
// draws it, so that the state left behind is the same. Without a linked batch program or
// instancing they are drawn one by one.
void drawParticlesShaded(ParticleEmitter& e, const ParticleFrame& frame, const ShaderProgram& program,
                         const ShaderProgram& batchProgram, LitCubeBatch& batch);
