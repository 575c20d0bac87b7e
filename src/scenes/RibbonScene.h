#pragma once

#include <array>

#include "effects/LitCubeBatch.h"
#include "effects/ParticleEmitter.h"
#include "math/Vec3.h"
#include "scenes/FrameContext.h"
#include "scenes/SceneShared.h"

// Scene E, 88.23 to 115.36 s: ribbons of lit cubes, the floating greetings, a white flash.

// Where the four ribbon emitters spawn at progress t:
// the radius of each one's spawn circle and its position, in the emitters' frame (+z up).
struct RibbonSpawns {
    float radius[4];
    Vec3 position[4];
};
RibbonSpawns ribbonSpawns(float t);

// The eye and the point it looks at, from the first ribbon's position R and the fourth's F
// (emitter frame): behind the first ribbon, moving behind the fourth over the last 30 %.
void ribbonCamera(float t, const Vec3& R, const Vec3& F, Vec3& eye, Vec3& target);

class RibbonScene {
public:
    // The four ribbons of lit cubes, textured with the flare or the circle.
    RibbonScene(Gfx& g, TextureId flare, TextureId circle);

    // Draws the scene at progress t, ending in a flat bluish-white flash.
    void draw(Gfx& g, float t, const FrameContext& frame, const SceneShared& shared);
    // The four emitters: what the scene carries from frame to frame.
    std::array<ParticleEmitter, 4>& ribbons() { return ribbons_; }

private:
    void setAlphas();

    std::array<ParticleEmitter, 4> ribbons_;
    LitCubeBatch batch_;
};
