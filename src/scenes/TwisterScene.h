#pragma once

#include "gfx/Vec3.h"

// Scene F, 115.36 to 145 s: the twisting column over the frozen ring of fire. The second
// argument of the draw is passed by the composition and not used.

// The column's 129 rings, 0 at its foot: each ring's texture twist (in 1/64 of the picture's
// width), radius and sideways shift (units). Entry 129 is never written and stays 0, so the
// column closes to a point on its axis.
inline constexpr int kRingCount = 129;
extern float ringTwist[kRingCount + 1];
extern float ringRadius[kRingCount + 1];
extern float ringShift[kRingCount + 1];

// The straight cylinder of radius 1 the column starts as, and the two camera paths.
void prepareTwisterScene();
// Rewrites rings 0 to 128 for progress p; the column drawn in a frame uses the previous
// frame's rings.
void updateRings(float p);
// The eye (which cuts between four points circling the column after its opening descent)
// and the target, before the scene's drop of 25 units.
void twisterCamera(float p, Vec3& eye, Vec3& target);

// prepareTwisterScene, and the wall's picture.
void loadTwisterScene();
void drawTwisterScene(float p, int unused);
void releaseTwisterScene();
