#include "gfx/gl/GLCommands.h"

#include <SDL.h>

std::string GLCommands::load()
{
    std::string missing;
#define ORVALE_GL_FETCH(name)                                                                \
    name = reinterpret_cast<decltype(name)>(SDL_GL_GetProcAddress("gl" #name));             \
    if (!name) missing += (missing.empty() ? "gl" : ", gl") + std::string(#name);
    ORVALE_GL_COMMANDS(ORVALE_GL_FETCH)
#undef ORVALE_GL_FETCH
    return missing;
}
