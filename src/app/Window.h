#pragma once

#include <SDL.h>
#include <epoxy/gl.h>

#include <string>

#include "app/DisplaySettings.h"

// The intro's one window and its OpenGL context.
struct AppWindow {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
};

// Opens the window of the chosen size, resizable, centred on the chosen display or covering
// it (at the desktop's mode, or through a display-mode change when asked and offered), makes
// a double-buffered RGBA OpenGL context with depth current and sets the GL defaults. On
// failure it reports why, releases what it made and returns false. A window that is not
// shown stays hidden: its GL context draws off screen.
bool openWindow(const DisplaySettings& settings, AppWindow& out, bool shown = true);
// Context, window, and through the window the display mode, in that order.
void closeWindow(AppWindow& w);

// What the current GL context lacks of what the intro needs (GLSL programs and
// framebuffer objects), or nullptr when it has everything.
const char* missingGLFeature();
// A string of the current GL context (GL_RENDERER, GL_VERSION...), "unknown" when it has none.
std::string glText(GLenum name);
