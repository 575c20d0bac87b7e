#pragma once

#include <cstdint>

// What the program tells the web page it runs in (its script, page.js, shows it).

// The program is ready for "Go!": the dialog is shown with the render size of the address (or
// the default) chosen.
void pageReady(int32_t width, int32_t height);
// The first frame of the intro is drawn (after the loading bar, and a late start's catch-up).
void pagePlaying();
// The moment the address asked for (?at=MS) is shown and its pixels, at that render size, can
// be read.
void pageShown(int32_t width, int32_t height);
// The intro has come to its end: the dialog is shown again.
void pageEnded();
// Something the intro cannot go on from, in a sentence the page shows.
void pageFailed(const char* message);
