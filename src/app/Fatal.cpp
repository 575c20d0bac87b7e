#include "app/Fatal.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

bool fatalErrorBoxes = true;

void reportFatal(const char* message)
{
    std::fprintf(stderr, "orvale-invit: %s\n", message);
    if (fatalErrorBoxes && (std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY")))
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, kWindowTitle, message, nullptr);
}

void attachToConsole() {}

void tellUser(const char* text, bool error)
{
    std::fputs(text, error ? stderr : stdout);
}
