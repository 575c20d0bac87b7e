#pragma once

#include <SDL.h>

#include <memory>

#include "app/DisplaySettings.h"
#include "gfx/Device.h"
#include "gfx/gl/GLDevice.h"

// The intro's one window, its OpenGL context and the device that draws with it.
struct AppWindow {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    std::unique_ptr<Device> device;
};

// Opens the window of the chosen size, resizable, centred on the chosen display or covering
// it (at the desktop's mode, or through a display-mode change when asked and offered), makes
// a double-buffered RGBA OpenGL context of the asked API with depth current and the device
// over it. On failure it releases what it made and says why (an OpenGL without what the intro
// needs is named). A window that is not shown stays hidden: its context draws off screen.
Status openWindow(const DisplaySettings& settings, GLApi api, AppWindow& out, bool shown = true);
// Device, context, window, and through the window the display mode, in that order.
void closeWindow(AppWindow& w);
