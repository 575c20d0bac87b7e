#pragma once

#include <array>

#include "gfx/Gfx.h"
#include "math/Vec3.h"
#include "scenes/FrameContext.h"
#include "scenes/SceneShared.h"

// Scene C, 30 to 60 s: 120 thin reddish stems grow in fifteen tufts inside the burning ring,
// swaying and curling, tipped with glows that pulse with the music and small turning boxes;
// in the last 28 % they sink back into the ground.

// One stem, in the stem frame (+z up, drawn turned so that +z is the world's up).
struct Stem {
    float curlX, curlY;  // curl factors of the sideways bend and of the wave
    float length;        // current length
    float baseLength;    // the length at the foot end, 0
    float maxLength;
    float speed;         // growth in length per unit of progress
    float alpha;         // strength; positive while the stem is shown
    float start;         // progress at which it starts growing
    float decay;         // alpha lost per drawn frame once fully grown
    float side;          // sign and amount of the sideways bend
    float segments;      // points of its line strip
    float boxScale;      // colour scale of the tip box
    float tipSize;
    Vec3 colour;
};

struct StemGroup {
    Stem stems[8];
    Vec3 base;        // foot of the tuft
    float width;      // sideways scale of the curls
    float startBase;  // earliest start of its stems
};

// Where point k of a stem lies along it at progress p: k / segments, pulled back towards the
// foot from p = 0.72 on (later for the points nearer the tip).
float stemT(const Stem& s, int k, float p);
// Point k of a stem of group g at progress p, in the stem frame.
Vec3 stemPoint(const StemGroup& g, const Stem& s, int k, float p);
// The eye and the target of the scene's camera at progress p (three cuts).
void stemCamera(float p, Vec3& eye, Vec3& target);

class StemScene {
public:
    // The fifteen tufts, laid out with the program's own generator from seed 109106 and draws
    // of the C library generator.
    explicit StemScene(Random& random);

    // Grows the stems to progress p and draws the scene.
    void draw(Gfx& g, float p, const FrameContext& frame, const SceneShared& shared);
    // The tufts as they have grown: what the scene carries from frame to frame.
    const std::array<StemGroup, 15>& groups() const { return groups_; }
    std::array<StemGroup, 15>& groups() { return groups_; }

private:
    std::array<StemGroup, 15> groups_;
};
