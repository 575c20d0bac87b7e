#include "app/MainLoop.h"

#include "app/Frame.h"

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

}  // namespace

void runMainLoop(SDL_Window* window, Intro& intro)
{
    bool quit = false;
    while (!quit) {
        SDL_Event event;
        if (SDL_PollEvent(&event)) {
            quit = endsIntro(event);
            continue;
        }
        quit = intro.renderNext().ended;
        SDL_GL_SwapWindow(window);
        SDL_Delay(1);
    }
}
