#pragma once

#include <cstdint>

class Random;
class RenderTarget;

// The music's beat level (0, 6, 12 or 18, or with fewer flashes anything from 0 to 18; -1
// when nothing plays), asked for each time a scene needs it: it follows what is being heard,
// which may move on within a frame.
class BeatLevel {
public:
    virtual float level() = 0;

protected:
    ~BeatLevel() = default;
};

// What one frame is drawn from, handed down from the frame wrapper to the timeline, the
// scenes and the particle emitters.
struct FrameContext {
    int32_t timeMs = 0;   // demo time, milliseconds since the clock's reset
    float elapsed = 0;    // the clock's seconds since its reset, as the clock keeps them (float32)
    float delta = 0;      // the clock's step since the previous frame, seconds (float32)
    int32_t width = 0;    // the render size in pixels
    int32_t height = 0;
    const RenderTarget* output = nullptr;  // where the finished frame is drawn; none: the window's framebuffer
    BeatLevel* beat = nullptr;  // none: the level is -1
    // False: every frame is composed as usual (render targets bound and cleared, filter
    // passes, speech bubbles, the overlay) but the scenes and text pages draw nothing. The
    // benchmarks measure this floor, the cost of the composition alone.
    bool scenesDrawn = true;
    Random* random = nullptr;  // the intro's random generators, which the emitters draw from

    float beatLevel() const { return beat ? beat->level() : -1; }
};
