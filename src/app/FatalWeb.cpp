#include <cstdio>

#include "app/Fatal.h"
#include "app/WebPage.h"

bool fatalErrorBoxes = true;

// On the page, in place of the intro, and in the browser's console.
void reportFatal(const char* message)
{
    std::fprintf(stderr, "orvale-invit: %s\n", message);
    pageFailed(message);
}

void attachToConsole() {}

void tellUser(const char* text, bool error) { std::fputs(text, error ? stderr : stdout); }
