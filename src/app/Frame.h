#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>

#include "app/Assets.h"
#include "scenes/FrameContext.h"
#include "timeline/Timeline.h"

struct MusicPlayer;

// The intro while it plays: the one place that reads the clock, the render size the display
// settings chose and the music player, hands a frame context down to the timeline and keeps
// what each frame decides for the next. The live loop and the capture tool both draw through
// it, so a captured frame is what the intro shows.
// The rate of the capture tool's frames, which a late start catches up with.
inline constexpr int32_t kCatchUpFps = 60;

class Intro {
public:
    Intro(Gfx& g, Assets& assets, MusicPlayer& music, int32_t width, int32_t height);

    // Loads the music from the data folder: what can be done before the clock starts.
    void prepare(const std::filesystem::path& data);
    // Starts the music at demo time startMs, which the clock reads now (the caller has set
    // its counter so), so that demo time and the music start together.
    void start(int32_t startMs);
    // Steps the clock and draws the frame for its time (milliseconds, truncated).
    FrameResult renderNext();
    // Sets the manual counter (see useManualCounter) and the heard music to demo time t,
    // steps the clock and draws the frame for t: the capture tool's frames.
    FrameResult renderAt(int32_t t);
    // With the clock just reset at 0 on the manual counter, runs the frames the capture tool
    // draws before demo time t (its 60 fps grid from 0) without drawing them: everything that
    // carries from frame to frame moves on as if they were drawn. Calls goOn(frames done,
    // frames in all) after each, which may draw and may stop it by returning false.
    // renderAt(t) then draws the frame for t as the capture tool does.
    void catchUp(int32_t t, const std::function<bool(int32_t, int32_t)>& goOn);
    // Frame n of that grid (demo time n / kCatchUpFps), run without drawing: catchUp's steps,
    // for a caller that spreads them over several turns (frames 0 to catchUpFrames(t) - 1).
    void catchUpFrame(int32_t n);

    // Where the next frames are drawn (none, the default: the window's framebuffer).
    void drawInto(const RenderTarget* output) { output_ = output; }
    // Back to the state a new run starts from, the pictures kept: the scenes and generators
    // (see Assets::restart) and the clear level. The clock and the music are started again
    // as at the first start.
    void restart();
    // Changes the render size (the render targets are remade).
    Status resize(int32_t width, int32_t height);
    // False: the frames are composed without the scenes (the benchmarks' floor).
    void drawScenes(bool on) { scenesDrawn_ = on; }
    // True: no sound device plays the music; what is "heard" is the demo time of each frame,
    // so the beat level still follows the music.
    void hearDemoTime(bool on) { hearDemoTime_ = on; }
    // True: the scenes beat with the calm level ("Fewer flashes") instead of the stepped one.
    void drawFewerFlashes(bool on) { fewerFlashes_ = on; }

private:
    FrameResult render(int32_t t);

    Gfx& g_;
    Assets& assets_;
    MusicPlayer& music_;
    int32_t width_;
    int32_t height_;
    const RenderTarget* output_ = nullptr;
    static constexpr float kFirstClearLevel = 1.0f;
    float clearLevel_ = kFirstClearLevel;  // "ClearLevel": the grey the next frame is cleared to
    bool scenesDrawn_ = true;
    bool hearDemoTime_ = false;
    bool fewerFlashes_ = false;
};

// How many frames of the catch-up grid lie below demo time t (ms).
int32_t catchUpFrames(int32_t t);

// Demo milliseconds for a clock reading in seconds, truncated toward zero.
int32_t demoMilliseconds(float elapsedSeconds);
