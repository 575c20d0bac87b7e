#pragma once

#include <cstdint>
#include <filesystem>

#include "app/Assets.h"
#include "scenes/FrameContext.h"
#include "timeline/Timeline.h"

struct MusicPlayer;

// The intro while it plays: the one place that reads the clock, the render size the display
// settings chose and the music player, hands a frame context down to the timeline and keeps
// what each frame decides for the next. The live loop and the capture tool both draw through
// it, so a captured frame is what the intro shows.
class Intro {
public:
    Intro(Assets& assets, MusicPlayer& music, int32_t width, int32_t height);

    // Resets the clock and starts the music from the data folder, so that demo time 0 and the
    // music's start coincide.
    void start(const std::filesystem::path& data);
    // Steps the clock and draws the frame for its time (milliseconds, truncated).
    FrameResult renderNext();
    // Steps the clock and draws the frame for demo time t, which the caller's clock source
    // has been set to (the capture tool's virtual clock).
    FrameResult renderAt(int32_t t);

    // Changes the render size (the render targets are remade).
    Status resize(int32_t width, int32_t height);
    // False: the frames are composed without the scenes (the benchmarks' floor).
    void drawScenes(bool on) { scenesDrawn_ = on; }
    // True: no sound device plays the music; what is "heard" is the demo time of each frame,
    // so the beat level still follows the music.
    void hearDemoTime(bool on) { hearDemoTime_ = on; }

private:
    FrameResult render(int32_t t);

    Assets& assets_;
    MusicPlayer& music_;
    int32_t width_;
    int32_t height_;
    float clearLevel_ = 1.0f;  // "ClearLevel": the grey the next frame is cleared to
    bool scenesDrawn_ = true;
    bool hearDemoTime_ = false;
};

// Demo milliseconds for a clock reading in seconds, truncated toward zero.
int32_t demoMilliseconds(float elapsedSeconds);
