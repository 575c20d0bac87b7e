#include <cstdio>

#include "app/Fatal.h"
#include "platform/web/WebPage.h"

// On the page, in place of the intro, and in the browser's console.
void reportFatal(const char* message, const MessageStyle&)
{
    std::fprintf(stderr, "orvale-invit: %s\n", message);
    pageFailed(message);
}

MessageStyle attachToConsole() { return {}; }

void tellUser(const char* text, bool error, const MessageStyle&) { std::fputs(text, error ? stderr : stdout); }
