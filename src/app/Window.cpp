#include "app/Window.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "app/Fatal.h"
#include "gfx/gl/GLDevice.h"

namespace {

// What failed, with SDL's reason.
Failure failure(const std::string& what) { return Failure{what + ": " + SDL_GetError()}; }

const char* describe(GLApi api) { return api == GLApi::ES ? "OpenGL ES 3.0" : "OpenGL 3.3 (core profile)"; }

void askFor(GLApi api, bool plain)
{
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    // A page's canvas is opaque: where a frame leaves alpha below 1 the page would show through.
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, std::string_view(SDL_GetPlatform()) == "Emscripten" ? 0 : 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    if (plain) return;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK,
                        api == GLApi::ES ? SDL_GL_CONTEXT_PROFILE_ES : SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, api == GLApi::ES ? 0 : 3);
}

// Why no context of the asked API could be made: what the machine's OpenGL is, where a plain
// context tells it, and what it lacks.
std::string lacking(SDL_Window* window, GLApi api, const std::string& why)
{
    std::string message = std::string("this OpenGL lacks ") + describe(api) + ", which the intro needs.";
    askFor(api, true);
    if (SDL_GLContext plain = SDL_GL_CreateContext(window)) {
        message += "\nIt is " + describeCurrentGL() + ".";
        SDL_GL_MakeCurrent(window, nullptr);
        SDL_GL_DeleteContext(plain);
    } else {
        message += "\n(" + why + ")";
    }
    return message;
}

void sayModeRefused(const DisplaySettings& settings, const std::string& why)
{
    std::fprintf(stderr, "orvale-invit: display %d refused the %dx%d mode (%s); full screen at its own mode instead\n",
                 settings.display, settings.width, settings.height, why.c_str());
}

// The display mode a mode change asks for: 32 bits per pixel at the render size. Empty, with
// the reason said, when the display offers no mode of that size.
std::optional<SDL_DisplayMode> offeredMode(const DisplaySettings& settings)
{
    const SDL_DisplayMode wanted = {SDL_PIXELFORMAT_RGB888, settings.width, settings.height, 0, nullptr};
    SDL_DisplayMode closest{};
    if (SDL_GetClosestDisplayMode(settings.display, &wanted, &closest) && closest.w == settings.width &&
        closest.h == settings.height)
        return closest;
    sayModeRefused(settings, "it offers no such mode");
    return std::nullopt;
}

}  // namespace

Status openWindow(const DisplaySettings& settings, GLApi api, AppWindow& out, bool shown)
{
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return failure("cannot open the display");
    askFor(api, false);

    // Full screen covers the display the window is centred on: at the desktop's own mode (the
    // window is made at the display's size), or through a change of its mode when asked.
    std::optional<SDL_DisplayMode> mode;
    if (settings.fullScreen && settings.modeChange) mode = offeredMode(settings);
    const Uint32 fullScreen = !settings.fullScreen ? 0 : mode ? SDL_WINDOW_FULLSCREEN : SDL_WINDOW_FULLSCREEN_DESKTOP;

    // The window stays hidden until it is in its final mode and its GL context is known
    // to be good enough: nothing flashes up on a machine the intro cannot run on.
    const int centred = static_cast<int>(SDL_WINDOWPOS_CENTERED_DISPLAY(settings.display));
    SDL_Rect place = {centred, centred, settings.width, settings.height};
    // Where no window manager makes it cover the display, it already does.
    if (fullScreen == SDL_WINDOW_FULLSCREEN_DESKTOP && SDL_GetDisplayBounds(settings.display, &place) != 0)
        place = {centred, centred, settings.width, settings.height};
    out.window = SDL_CreateWindow(kWindowTitle, place.x, place.y, place.w, place.h,
                                  SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE |
                                      SDL_WINDOW_ALLOW_HIGHDPI | fullScreen);
    if (!out.window) {
        const Failure made = failure("cannot create the window");
        closeWindow(out);
        return made;
    }
    if (mode && SDL_SetWindowDisplayMode(out.window, &*mode) != 0) {
        sayModeRefused(settings, SDL_GetError());
        mode.reset();
        SDL_SetWindowFullscreen(out.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }

    out.context = SDL_GL_CreateContext(out.window);
    if (!out.context) {
        const std::string message = lacking(out.window, api, SDL_GetError());
        closeWindow(out);
        return Failure{message};
    }
    Result<std::unique_ptr<Device>> device = createGLDevice();
    if (!device) {
        closeWindow(out);
        return Failure{device.message()};
    }
    out.device = device.take();
    // Adaptive vsync where the driver offers it, else plain vsync; or none.
    if (!settings.vsync || SDL_GL_SetSwapInterval(-1) != 0) SDL_GL_SetSwapInterval(settings.vsync ? 1 : 0);
    if (!shown) return {};
    SDL_ShowWindow(out.window);
    // The mode is changed as the window is shown; where the display did not take it, the
    // desktop's mode is kept.
    SDL_DisplayMode current{};
    if (mode && (SDL_GetCurrentDisplayMode(settings.display, &current) != 0 || current.w != settings.width ||
                 current.h != settings.height)) {
        sayModeRefused(settings, "the mode did not change");
        SDL_SetWindowFullscreen(out.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    // The pointer would sit in the middle of the picture.
    if (settings.fullScreen) SDL_ShowCursor(SDL_DISABLE);
    return {};
}

void closeWindow(AppWindow& w)
{
    SDL_ShowCursor(SDL_ENABLE);
    w.device.reset();
    if (w.context) {
        SDL_GL_MakeCurrent(w.window, nullptr);
        SDL_GL_DeleteContext(w.context);
        w.context = nullptr;
    }
    if (w.window) {
        SDL_DestroyWindow(w.window);
        w.window = nullptr;
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
