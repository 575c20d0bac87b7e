#pragma once

#include <SDL.h>

#include "core/Result.h"

class Run;

// Drives the run in the window until it ends: hands the window's events (Escape, closing, the
// keys that pause and seek) to each tick, swaps after each frame drawn and sleeps 1 ms between ticks. When swaps do not wait
// for the display, it also waits so as not to draw frames faster than the display shows them.
// The run's failure when it failed.
Status driveRun(SDL_Window* window, Run& run);
