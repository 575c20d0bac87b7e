#pragma once

#include "gfx/Vec3.h"

// Scene E, 88.23 to 115.36 s: ribbons of lit cubes, the floating greetings, a white flash.

// Where the four ribbon emitters (ribbon, ribbon2, ribbon3, ribbon4) spawn at progress t:
// the radius of each one's spawn circle and its position, in the emitters' frame (+z up).
struct RibbonSpawns {
    float radius[4];
    Vec3 position[4];
};
RibbonSpawns ribbonSpawns(float t);

// The eye and the point it looks at, from the first ribbon's position R and the fourth's F
// (emitter frame): behind the first ribbon, moving behind the fourth over the last 30 %.
void ribbonCamera(float t, const Vec3& R, const Vec3& F, Vec3& eye, Vec3& target);

void initRibbonScene();
void drawRibbonScene(float t);
