#include "app/Fatal.h"

#include <windows.h>

#include <cstdio>

bool fatalErrorBoxes = true;

namespace {

// Whether standard output and error lead somewhere: redirected, or a console's.
bool streams = false;

bool valid(DWORD which)
{
    const HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

}  // namespace

void reportFatal(const char* message)
{
    std::fprintf(stderr, "orvale-invit: %s\n", message);
    if (fatalErrorBoxes) MessageBoxA(nullptr, message, kWindowTitle, MB_OK | MB_ICONERROR);
}

void attachToConsole()
{
    const bool output = valid(STD_OUTPUT_HANDLE), error = valid(STD_ERROR_HANDLE);
    streams = output && error;
    if (streams || !AttachConsole(ATTACH_PARENT_PROCESS)) return;
    // The streams that were not redirected go to the console started from.
    if (!output) std::freopen("CONOUT$", "w", stdout);
    if (!error) std::freopen("CONOUT$", "w", stderr);
    streams = true;
}

void tellUser(const char* text, bool error)
{
    if (streams) {
        std::fputs(text, error ? stderr : stdout);
        std::fflush(error ? stderr : stdout);
    } else {
        MessageBoxA(nullptr, text, kWindowTitle, MB_OK | (error ? MB_ICONERROR : MB_ICONINFORMATION));
    }
}
