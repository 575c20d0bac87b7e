#include "app/MainLoop.h"

#include "app/Frame.h"
#include "app/Presentation.h"

namespace {

// Whether the event asks the intro to end.
bool endsIntro(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_QUIT:
        return true;
    case SDL_WINDOWEVENT:
        return event.window.event == SDL_WINDOWEVENT_CLOSE;
    case SDL_KEYDOWN:
        return event.key.keysym.sym == SDLK_ESCAPE;
    default:
        return false;
    }
}

// Seconds between two of the display's refreshes at the given rate in Hz (60 Hz when unknown).
double refreshPeriod(int refreshRate) { return 1.0 / (refreshRate > 0 ? refreshRate : 60); }

}  // namespace

bool viewerEndsIntro()
{
    bool ends = false;
    SDL_Event event;
    while (SDL_PollEvent(&event)) ends = ends || endsIntro(event);
    return ends;
}

bool runMainLoop(SDL_Window* window, Intro& intro, Presenter& presenter)
{
    SDL_DisplayMode mode{};
    const double period = refreshPeriod(SDL_GetWindowDisplayMode(window, &mode) == 0 ? mode.refresh_rate : 0);
    const bool paced = SDL_GL_GetSwapInterval() == 0;
    const double ticksPerSecond = static_cast<double>(SDL_GetPerformanceFrequency());
    uint64_t frameStart = SDL_GetPerformanceCounter();
    for (;;) {
        SDL_Event event;
        if (SDL_PollEvent(&event)) {
            if (endsIntro(event)) return false;
            continue;
        }
        intro.drawInto(presenter.beginFrame());
        const bool ended = intro.renderNext().ended;
        presenter.showFrame();
        if (ended) return true;
        SDL_Delay(1);
        if (paced) {
            const double spent = static_cast<double>(SDL_GetPerformanceCounter() - frameStart) / ticksPerSecond;
            if (spent < period) SDL_Delay(static_cast<uint32_t>((period - spent) * 1000));
        }
        frameStart = SDL_GetPerformanceCounter();
    }
}
