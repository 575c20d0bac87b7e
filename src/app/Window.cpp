#include "app/Window.h"

#include <epoxy/gl.h>

#include <cstdio>
#include <string>

#include "app/Fatal.h"

namespace {

void fail(const std::string& what)
{
    reportFatal((what + ": " + SDL_GetError()).c_str());
}

std::string glText(GLenum name)
{
    const GLubyte* text = glGetString(name);
    return text ? reinterpret_cast<const char*>(text) : "unknown";
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

}  // namespace

const char* missingGLFeature()
{
    // Shaders and framebuffer objects are called through their core entry points.
    const int version = epoxy_gl_version();
    if (version < 20) return "GLSL shader programs (OpenGL 2.0)";
    if (version < 30 && !epoxy_has_gl_extension("GL_ARB_framebuffer_object"))
        return "framebuffer objects (OpenGL 3.0 or GL_ARB_framebuffer_object)";
    return nullptr;
}

bool openWindow(const DisplaySettings& settings, AppWindow& out)
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

    // The window stays hidden until it is in its final mode and its GL context is known
    // to be good enough: nothing flashes up on a machine the intro cannot run on.
    const int position = static_cast<int>(SDL_WINDOWPOS_CENTERED_DISPLAY(settings.display));
    out.window = SDL_CreateWindow(kWindowTitle, position, position, settings.width, settings.height,
                                  SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!out.window) {
        fail("cannot create the window");
        closeWindow(out);
        return false;
    }
    if (settings.fullScreen) {
        // The mode change always asks for 32 bits per pixel at the chosen size.
        SDL_DisplayMode mode = {SDL_PIXELFORMAT_RGB888, settings.width, settings.height, 0, nullptr};
        if (SDL_SetWindowDisplayMode(out.window, &mode) != 0 ||
            SDL_SetWindowFullscreen(out.window, SDL_WINDOW_FULLSCREEN) != 0)
            std::fprintf(stderr, "orvale-invit: could not switch to %dx%d full screen: %s\n", settings.width,
                         settings.height, SDL_GetError());
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
    SDL_ShowWindow(out.window);
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
