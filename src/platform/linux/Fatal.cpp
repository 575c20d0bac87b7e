#include "app/Fatal.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

void reportFatal(const char* message, const MessageStyle& style)
{
    std::fprintf(stderr, "orvale-invit: %s\n", message);
    if (style.boxes && (std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY")))
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, kWindowTitle, message, nullptr);
}

MessageStyle attachToConsole() { return {}; }

void tellUser(const char* text, bool error, const MessageStyle&)
{
    std::fputs(text, error ? stderr : stdout);
}
