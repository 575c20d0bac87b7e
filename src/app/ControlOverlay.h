#pragma once

#include <cstdint>
#include <string>

#include "gfx/Gfx.h"
#include "text/BitmapFont.h"

// What the overlay shows: the moment, and whether the intro is held or still running a seek to it.
struct OverlayState {
    int32_t shownMs = 0;
    bool paused = false;
    bool catchingUp = false;
};

// "1:15 / 3:26": the moment and the intro's length in minutes and seconds, truncated.
std::string overlayTime(int32_t ms);
// The chapter's title as the bitmap font can write it (upper case).
std::string overlayChapter(int32_t ms);

// Draws the viewer's overlay over the bound framebuffer of width x height pixels (the window as
// shown, not the frame): a dark band along the bottom with the time, the chapter, a word on the
// state, and a timeline with the chapters marked and the moment's place on it. Its size follows
// the window's height in whole steps of the font's pixels, legible from 320 x 180 up.
void drawControlOverlay(Gfx& g, const BitmapFont& font, int32_t width, int32_t height, const OverlayState& state);
