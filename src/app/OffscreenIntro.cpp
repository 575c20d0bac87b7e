#include "app/OffscreenIntro.h"

#include <SDL.h>

#include <chrono>
#include <cstdint>
#include <string_view>
#include <utility>

#include "app/DataFolder.h"
#include "app/DisplaySettings.h"
#include "app/Fatal.h"

std::unique_ptr<OffscreenIntro> OffscreenIntro::open(int width, int height, GLApi api, Refusal& refusal,
                                                     bool fewerFlashes, std::function<int64_t()> clock)
{
    // No display needed: SDL's offscreen driver makes its context without one (through EGL).
    // Windows has no EGL; there the context of a window that is never shown draws off screen.
    if (std::string_view(SDL_GetPlatform()) != "Windows") SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
    DisplaySettings settings;
    settings.width = width;
    settings.height = height;
    settings.fullScreen = 0;
    settings.vsync = false;
    std::unique_ptr<OffscreenIntro> offscreen(new OffscreenIntro);
    offscreen->music_.useVirtualOutput();
    if (const Status opened = openWindow(settings, api, offscreen->window_, false); !opened.ok()) {
        refusal.message = opened.message();
        return nullptr;
    }
    Result<std::filesystem::path> data = findDataFolder();
    if (!data) {
        refusal.message = data.message();
        return nullptr;
    }
    const auto start = std::chrono::steady_clock::now();
    offscreen->gfx_.emplace(*offscreen->window_.device);
    RunSettings run;
    run.width = width;
    run.height = height;
    run.data = data.value();
    run.fixedStep = !clock;
    run.hearDemoTime = static_cast<bool>(clock);
    run.fewerFlashes = fewerFlashes;
    if (!clock) clock = Run::steadyMicroseconds;
    offscreen->run_ = std::make_unique<Run>(*offscreen->gfx_, offscreen->music_, offscreen->screen_, run,
                                            std::move(clock));
    while (offscreen->run_->phase() == Run::Phase::Loading) offscreen->run_->tick({});
    if (offscreen->run_->phase() == Run::Phase::Failed) {
        refusal.message = offscreen->run_->failure();
        return nullptr;
    }
    offscreen->loadSeconds_ = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return offscreen;
}

OffscreenIntro::~OffscreenIntro()
{
    run_.reset();
    gfx_.reset();
    music_.release();
    closeWindow(window_);
    SDL_Quit();
}
