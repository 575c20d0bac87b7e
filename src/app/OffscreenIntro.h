#pragma once

#include "app/Window.h"

// The intro run without a visible window or a sound device, as the capture tool and the
// benchmarks run it: SDL's offscreen driver, errors on stderr only, a virtual clock in
// milliseconds of demo time, and the music "heard" at that time.

// Opens the hidden window at the given size and loads everything; false when no GL context
// could be made. `loadSeconds` is how long loading took.
bool openOffscreenIntro(int width, int height, AppWindow& window, double& loadSeconds);
// Steps the clock to demo time t (ms) and draws the frame for it.
void renderOffscreenFrame(int t);
void closeOffscreenIntro(AppWindow& window);
