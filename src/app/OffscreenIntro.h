#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/Assets.h"
#include "app/Frame.h"
#include "app/Window.h"
#include "audio/MusicPlayer.h"

// The intro run without a visible window or a sound device, as the capture tool and the
// benchmarks run it: SDL's offscreen driver, errors on stderr only, a virtual clock in
// milliseconds of demo time, and the music "heard" at that time.
class OffscreenIntro {
public:
    // The reason the intro could not be opened, empty when it was not opened because there is
    // no GL context (already said on stderr by the window).
    struct Refusal {
        std::string message;
    };

    // Opens the hidden window at the given size with a context of the given API, loads
    // everything and starts the clock and the music at demo time 0.
    static std::unique_ptr<OffscreenIntro> open(int width, int height, GLApi api, Refusal& refusal);
    ~OffscreenIntro();
    OffscreenIntro(const OffscreenIntro&) = delete;
    OffscreenIntro& operator=(const OffscreenIntro&) = delete;

    // Steps the clock to demo time t (ms) and draws the frame for it.
    FrameResult render(int t);

    // Starts another pass from demo time 0, as the player's loop does: every history reset, the
    // clock and the music back at the beginning.
    void restart();

    // How long loading took, seconds.
    double loadSeconds() const { return loadSeconds_; }
    Intro& intro() { return *intro_; }
    Assets& assets() { return *assets_; }
    Gfx& gfx() { return *gfx_; }
    MusicPlayer& music() { return music_; }

private:
    OffscreenIntro() = default;

    MusicPlayer music_;
    AppWindow window_;
    std::optional<Gfx> gfx_;
    std::unique_ptr<Assets> assets_;
    std::optional<Intro> intro_;
    double loadSeconds_ = 0;
};
