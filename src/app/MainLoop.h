#pragma once

#include <SDL.h>

#include <cstdint>

// Asks the main loop to end at its next pass (Escape, closing the window, the end of the intro).
void postQuit();
bool quitPosted();

// Demo milliseconds for a clock reading in seconds, truncated toward zero.
int32_t demoMilliseconds(float elapsedSeconds);

// Runs until a quit is posted: pumps window events and, whenever none is waiting, draws
// one frame for the clock's current time, swaps the buffers and sleeps 1 ms.
void runMainLoop(SDL_Window* window);
