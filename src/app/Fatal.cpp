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

void exitFatal(const std::string& message)
{
    // The window goes first, so that a full-screen mode is given back and the message box
    // is not hidden behind it.
    SDL_Quit();
    reportFatal(message.c_str());
    std::exit(1);
}
