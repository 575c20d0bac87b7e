#pragma once

#include <array>
#include <filesystem>

#include "core/Result.h"
#include "gfx/Gfx.h"
#include "math/Vec3.h"


// A bubble's quad in screen fractions (0 to 1 across the viewport, origin bottom-left).
struct BubbleQuad {
    float left, bottom, right, top;
};
// One bubble as it is drawn at a given progress: which picture (0 to 6 for speech1 to
// speech5c), its opacity, the translation applied before its quad, and the quad.
struct BubbleDraw {
    int picture;
    float alpha;
    Vec3 offset;
    BubbleQuad quad;
};
// The bubbles of a set at progress p; returns how many (0 for an unknown set).
int bubbleLayout(float p, int set, BubbleDraw out[3]);

// Cartoon speech bubbles over Scenes B to F: one set per scene (0 to 4), each bubble sliding a
// little as it fades in and out at a fixed place on the screen.
class SpeechBubbles {
public:
    // The bubbles' pictures from the folder gfx.
    static Result<SpeechBubbles> load(Gfx& g, const std::filesystem::path& gfx);
    // Over the whole picture, each by its alpha.
    void draw(Gfx& g, float p, int set) const;
    // Whether any bubble of the set is at all opaque at progress p: otherwise drawing them
    // leaves every pixel as it was.
    static bool shows(float p, int set);

private:
    std::array<Texture, 7> pictures_;
};
