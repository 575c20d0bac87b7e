#include "platform/web/WebPage.h"

#include <emscripten.h>

// Module.page is the page script's side (page.js).
EM_JS(void, callPageReady, (int width, int height), { Module.page.ready(width, height); });
EM_JS(void, callPagePlaying, (), { Module.page.playing(); });
EM_JS(void, callPageShown, (int width, int height), { Module.page.shown(width, height); });
EM_JS(void, callPageEnded, (), { Module.page.ended(); });
EM_JS(void, callPageFailed, (const char* message), { Module.page.failed(UTF8ToString(message)); });

void pageReady(int32_t width, int32_t height) { callPageReady(width, height); }
void pagePlaying() { callPagePlaying(); }
void pageShown(int32_t width, int32_t height) { callPageShown(width, height); }
void pageEnded() { callPageEnded(); }
void pageFailed(const char* message) { callPageFailed(message); }
