#include "app/MainLoop.h"

#include <optional>

#include "app/Run.h"

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

// The viewer's control a key asks for. A held key repeats its seek (the repeats that arrive
// while a seek lands come in one batch and land once); a held Space does not pause and resume
// over and over.
std::optional<Control> controlFor(const SDL_Event& event)
{
    if (event.type != SDL_KEYDOWN) return {};
    switch (event.key.keysym.sym) {
    case SDLK_SPACE:
        if (event.key.repeat != 0) return {};
        return Control::PlayPause;
    case SDLK_LEFT:
        return Control::Back;
    case SDLK_RIGHT:
        return Control::On;
    case SDLK_PAGEUP:
        return Control::ChapterStart;
    case SDLK_PAGEDOWN:
        return Control::NextChapter;
    case SDLK_HOME:
        return Control::Start;
    case SDLK_PERIOD:
        return Control::FrameOn;
    case SDLK_COMMA:
        return Control::FrameBack;
    default:
        return {};
    }
}

// Seconds between two of the display's refreshes at the given rate in Hz (60 Hz when unknown).
double refreshPeriod(int refreshRate) { return 1.0 / (refreshRate > 0 ? refreshRate : 60); }

}  // namespace

Status driveRun(SDL_Window* window, Run& run)
{
    SDL_DisplayMode mode{};
    const double period = refreshPeriod(SDL_GetWindowDisplayMode(window, &mode) == 0 ? mode.refresh_rate : 0);
    const bool paced = SDL_GL_GetSwapInterval() == 0;
    const double ticksPerSecond = static_cast<double>(SDL_GetPerformanceFrequency());
    uint64_t frameStart = SDL_GetPerformanceCounter();
    for (;;) {
        RunEvents events;
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            events.end = events.end || endsIntro(event);
            if (const std::optional<Control> control = controlFor(event)) events.controls.push_back(*control);
        }
        const RunStep step = run.tick(events);
        switch (step.next) {
        case RunStep::Next::End:
            return {};
        case RunStep::Next::Fail:
            return Failure{run.failure()};
        case RunStep::Next::Wait:
            break;
        case RunStep::Next::Show:
            SDL_GL_SwapWindow(window);
            break;
        }
        SDL_Delay(1);
        if (step.next != RunStep::Next::Show || run.phase() != Run::Phase::Playing) continue;
        if (paced) {
            const double spent = static_cast<double>(SDL_GetPerformanceCounter() - frameStart) / ticksPerSecond;
            if (spent < period) SDL_Delay(static_cast<uint32_t>((period - spent) * 1000));
        }
        frameStart = SDL_GetPerformanceCounter();
    }
}
