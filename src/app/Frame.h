#pragma once

#include <cstdint>
#include <optional>

#include "app/Assets.h"
#include "app/FrameClock.h"
#include "app/IntroState.h"
#include "scenes/FrameContext.h"
#include "timeline/Timeline.h"

struct MusicPlayer;

// The intro while it plays: the one place that reads the music player and hands a frame context
// down to the timeline, keeping what each frame decides for the next. The run draws through it
// whatever drives it (the live loop, the page, the capture tool), so a captured frame is what
// the intro shows.
// The rate of the capture tool's frames, which a late start catches up with.
inline constexpr int32_t kCatchUpFps = 60;

class Intro {
public:
    // Draws what was loaded, with its random generators.
    Intro(Gfx& g, Assets& assets, Random& random, MusicPlayer& music, int32_t width, int32_t height);

    // Draws the frame for demo time t (ms) with the clock's reading of it, beating with the music
    // heard now or at the given frame of the track.
    FrameResult draw(int32_t t, const FrameClock& clock, std::optional<int64_t> heardFrame = {});

    // Where the next frames are drawn (none, the default: the window's framebuffer).
    void drawInto(const RenderTarget* output) { output_ = output; }
    // What changes while it plays, but the clock (the caller's), as a value; and back.
    IntroState save() const;
    void restore(const IntroState& state);
    // Changes the render size (the render targets are remade).
    Status resize(int32_t width, int32_t height);
    // False: the frames are composed without the scenes (the benchmarks' floor).
    void drawScenes(bool on) { scenesDrawn_ = on; }
    // True: the scenes beat with the calm level ("Fewer flashes") instead of the stepped one.
    void drawFewerFlashes(bool on) { fewerFlashes_ = on; }

private:
    Gfx& g_;
    Assets& assets_;
    Random& random_;
    MusicPlayer& music_;
    int32_t width_;
    int32_t height_;
    const RenderTarget* output_ = nullptr;
    static constexpr float kFirstClearLevel = 1.0f;
    float clearLevel_ = kFirstClearLevel;  // "ClearLevel": the grey the next frame is cleared to
    bool scenesDrawn_ = true;
    bool fewerFlashes_ = false;
};

// Demo time of frame n of a grid of `fps` frames a second (the catch-up grid by default), ms.
inline int32_t frameTime(int64_t n, int32_t fps = kCatchUpFps) { return static_cast<int32_t>(n * 1000 / fps); }
// How many frames of that grid lie below demo time t (ms).
int32_t catchUpFrames(int32_t t, int32_t fps = kCatchUpFps);

// Demo milliseconds for a clock reading in seconds, truncated toward zero.
int32_t demoMilliseconds(float elapsedSeconds);
