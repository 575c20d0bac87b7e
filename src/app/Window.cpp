#include "app/Window.h"

#include <epoxy/gl.h>

#include <cstdio>
#include <optional>
#include <string>

#include "app/Fatal.h"

namespace {

void fail(const std::string& what)
{
    reportFatal((what + ": " + SDL_GetError()).c_str());
}

// The GL state every later drawing starts from.
void setGLDefaults()
{
    glClearDepth(1.0);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_DEPTH_TEST);
    glShadeModel(GL_SMOOTH);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glHint(GL_POINT_SMOOTH_HINT, GL_NICEST);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glDisable(GL_LINE_SMOOTH);
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

std::string glText(GLenum name)
{
    const GLubyte* text = glGetString(name);
    return text ? reinterpret_cast<const char*>(text) : "unknown";
}

const char* missingGLFeature()
{
    // Shaders and framebuffer objects are called through their core entry points.
    const int version = epoxy_gl_version();
    if (version < 20) return "GLSL shader programs (OpenGL 2.0)";
    if (version < 30 && !epoxy_has_gl_extension("GL_ARB_framebuffer_object"))
        return "framebuffer objects (OpenGL 3.0 or GL_ARB_framebuffer_object)";
    return nullptr;
}

bool openWindow(const DisplaySettings& settings, AppWindow& out, bool shown)
{
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        fail("cannot open the display");
        return false;
    }
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);

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
        fail("cannot create the window");
        closeWindow(out);
        return false;
    }
    if (mode && SDL_SetWindowDisplayMode(out.window, &*mode) != 0) {
        sayModeRefused(settings, SDL_GetError());
        mode.reset();
        SDL_SetWindowFullscreen(out.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }

    out.context = SDL_GL_CreateContext(out.window);
    if (!out.context) {
        const std::string why = SDL_GetError();
        closeWindow(out);
        reportFatal(("cannot create an OpenGL context: " + why).c_str());
        return false;
    }
    if (const char* missing = missingGLFeature()) {
        const std::string message = std::string("this OpenGL lacks ") + missing + ", which the intro needs.\n" +
                                    "It is " + glText(GL_RENDERER) + ", OpenGL " + glText(GL_VERSION) + ".";
        reportFatal(message.c_str());
        closeWindow(out);
        return false;
    }
    // Adaptive vsync where the driver offers it, else plain vsync; or none.
    if (!settings.vsync || SDL_GL_SetSwapInterval(-1) != 0) SDL_GL_SetSwapInterval(settings.vsync ? 1 : 0);
    if (!shown) {
        setGLDefaults();
        return true;
    }
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
    setGLDefaults();
    return true;
}

void closeWindow(AppWindow& w)
{
    SDL_ShowCursor(SDL_ENABLE);
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
