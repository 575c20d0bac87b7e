#include "app/MainLoop.h"

#include "app/Frame.h"
#include "app/FrameClock.h"

namespace {
bool quitFlag = false;

void handleEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_QUIT:
        postQuit();
        break;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) postQuit();
        break;
    case SDL_KEYDOWN:
        if (event.key.keysym.sym == SDLK_ESCAPE) postQuit();
        break;
    default:
        break;
    }
}
}  // namespace

void postQuit() { quitFlag = true; }
bool quitPosted() { return quitFlag; }

int32_t demoMilliseconds(float elapsedSeconds)
{
    const double ms = elapsedSeconds * 1000.0;
    // Past about 24 days the count no longer fits; it stays at the last millisecond.
    if (ms >= 2147483647.0) return 2147483647;
    return static_cast<int32_t>(ms);
}

void runMainLoop(SDL_Window* window)
{
    while (!quitFlag) {
        SDL_Event event;
        if (SDL_PollEvent(&event)) {
            handleEvent(event);
            continue;
        }
        frameClock.update();
        renderFrame(demoMilliseconds(frameClock.elapsed));
        SDL_GL_SwapWindow(window);
        SDL_Delay(1);
    }
}
