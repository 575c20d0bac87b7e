#pragma once

#include <cstdint>

// Draws the whole frame for demo time t (milliseconds since the clock's reset) into the
// current framebuffer at the chosen resolution. The live loop and the capture tool both
// call it, so a captured frame is what the intro shows.
void renderFrame(int32_t t);
