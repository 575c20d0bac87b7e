#pragma once

#include "gfx/Glu.h"

#include <cstdint>

// The loading screen: a white page with a grey outlined box and a dark red bar that grows
// by one step after each piece of loading work.
struct LoadingBar {
    int32_t current = 0;  // steps done
    int32_t total = 0;    // steps expected
    int32_t length = 10;  // length of the bar in scene units

    void setTotal(int32_t n) { total = n; }
    // current += k, then the loading screen is drawn and shown at once.
    void advance(int32_t k);
    // How far the bar reaches past its left end, in scene units: 9.9 when full.
    float progress() const;
};

extern LoadingBar loadingBar;

// The GLU quadric the scenes draw spheres and discs with (smooth normals, texture coordinates).
extern GLUquadric* sceneQuadric;

// Builds everything the intro shows, behind the loading screen, then resets the frame
// clock and starts the music so that demo time 0 and the music's start coincide.
int loadAssets();
// Frees everything loadAssets made, and stops the music.
void releaseAssets();
