#include "app/Fatal.h"

#include <windows.h>

#include <cstdio>

namespace {

bool valid(DWORD which)
{
    const HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

}  // namespace

void reportFatal(const char* message, const MessageStyle& style)
{
    std::fprintf(stderr, "orvale-invit: %s\n", message);
    if (style.boxes) MessageBoxA(nullptr, message, kWindowTitle, MB_OK | MB_ICONERROR);
}

MessageStyle attachToConsole()
{
    // Standard output and error lead somewhere when redirected, or to a console.
    const bool output = valid(STD_OUTPUT_HANDLE), error = valid(STD_ERROR_HANDLE);
    if (output && error) return {};
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return {.boxes = true, .streams = false};
    // The streams that were not redirected go to the console started from.
    if (!output) std::freopen("CONOUT$", "w", stdout);
    if (!error) std::freopen("CONOUT$", "w", stderr);
    return {};
}

void tellUser(const char* text, bool error, const MessageStyle& style)
{
    if (style.streams) {
        std::fputs(text, error ? stderr : stdout);
        std::fflush(error ? stderr : stdout);
    } else {
        MessageBoxA(nullptr, text, kWindowTitle, MB_OK | (error ? MB_ICONERROR : MB_ICONINFORMATION));
    }
}
