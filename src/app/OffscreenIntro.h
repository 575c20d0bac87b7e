#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/Run.h"
#include "app/Screen.h"
#include "app/Window.h"
#include "audio/MusicPlayer.h"

// The intro run without a visible window or a sound device, as the capture tool and the
// benchmarks run it: SDL's offscreen driver, errors on stderr only, and a run of fixed steps,
// each frame drawn at the demo time asked for with the music "heard" there.
class OffscreenIntro {
public:
    // The reason the intro could not be opened.
    struct Refusal {
        std::string message;
    };

    // Opens the hidden window at the given size with a context of the given API, loads
    // everything and starts the clock and the music at demo time 0, the beat calm or not.
    // With a clock (microseconds), the run plays on it instead, the music heard at each frame's
    // demo time, driven by the caller's ticks.
    static std::unique_ptr<OffscreenIntro> open(int width, int height, GLApi api, Refusal& refusal,
                                                bool fewerFlashes = false, std::function<int64_t()> clock = {});
    ~OffscreenIntro();
    OffscreenIntro(const OffscreenIntro&) = delete;
    OffscreenIntro& operator=(const OffscreenIntro&) = delete;

    // Steps the clock to demo time t (ms) and draws the frame for it.
    FrameResult render(int t) { return run_->frameAt(t); }

    // Runs the frames a late start at demo time t runs before it, without drawing them.
    void catchUp(int32_t t)
    {
        for (int32_t n = 0; n < catchUpFrames(t); ++n) run_->catchUpFrame(n);
    }

    // Starts another pass from demo time 0, as the player's loop does: every history reset, the
    // clock and the music back at the beginning.
    void restart() { run_->restart(); }

    // How long loading took, seconds.
    double loadSeconds() const { return loadSeconds_; }
    Run& run() { return *run_; }
    Intro& intro() { return run_->intro(); }
    Assets& assets() { return run_->assets(); }
    Gfx& gfx() { return *gfx_; }
    MusicPlayer& music() { return music_; }

private:
    OffscreenIntro() = default;

    MusicPlayer music_;
    AppWindow window_;
    std::optional<Gfx> gfx_;
    TargetScreen screen_;  // the hidden window's framebuffer
    std::unique_ptr<Run> run_;
    double loadSeconds_ = 0;
};
