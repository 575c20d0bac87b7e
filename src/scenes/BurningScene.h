#pragma once

#include <filesystem>

#include "core/Result.h"
#include "effects/ParticleEmitter.h"
#include "gfx/Gfx.h"
#include "scenes/FrameContext.h"
#include "scenes/SceneShared.h"

// Scene B, 14.11 to 30 s: the ring of fire, the falling meteor, the shock wave and the flash.
class BurningScene {
public:
    // Its pictures from the folder gfx, and the fire ring, sparks and meteor flames set up with the flare texture.
    static Result<BurningScene> load(Gfx& g, const std::filesystem::path& gfx, SharedEmitters& emitters,
                                     TextureId flare);

    void draw(Gfx& g, float p, const FrameContext& frame, const SceneShared& shared);
    // The grey level the frame after one at progress p is cleared to: from white to black
    // over the first 12 %.
    static float clearLevel(float p);
    TextureId flashPicture() const { return flash_.id(); }      // also added over Scenes E and F
    TextureId overlayPicture() const { return overlay_.id(); }  // multiplied over every finished frame
    ParticleEmitter& meteorFlames() { return meteoriteFlamme; }

private:
    Texture overlay_;
    Texture flash_;
    ParticleEmitter meteoriteFlamme;
};
