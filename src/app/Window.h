#pragma once

#include <SDL.h>

#include "app/DisplaySettings.h"

// The intro's one window and its OpenGL context.
struct AppWindow {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
};

// Opens the window of the chosen size (full screen through a display-mode change, or
// centred), makes a double-buffered RGBA OpenGL context with depth current and sets the
// GL defaults. On failure it reports why, releases what it made and returns false.
bool openWindow(const DisplaySettings& settings, AppWindow& out);
// Context, window, and through the window the display mode, in that order.
void closeWindow(AppWindow& w);

// What the current GL context lacks of what the intro needs (GLSL programs and
// framebuffer objects), or nullptr when it has everything.
const char* missingGLFeature();
