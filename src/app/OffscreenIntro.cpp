#include "app/OffscreenIntro.h"

#include <SDL.h>

#include <chrono>
#include <cstdint>

#include "app/DataFolder.h"
#include "app/DisplaySettings.h"
#include "app/Fatal.h"
#include "app/FrameClock.h"

std::unique_ptr<OffscreenIntro> OffscreenIntro::open(int width, int height, GLApi api, Refusal& refusal)
{
    fatalErrorBoxes = false;
#ifndef _WIN32
    // No display needed: SDL's offscreen driver makes its context without one. Windows has no
    // such driver; there the context of a window that is never shown draws off screen.
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
#endif
    displaySettings = DisplaySettings{};
    displaySettings.width = width;
    displaySettings.height = height;
    displaySettings.fullScreen = 0;
    displaySettings.vsync = false;
    useManualCounter();
    std::unique_ptr<OffscreenIntro> offscreen(new OffscreenIntro);
    offscreen->music_.useVirtualOutput();
    if (!openWindow(displaySettings, api, offscreen->window_, false)) {
        refusal.message.clear();
        return nullptr;
    }
    Result<std::filesystem::path> data = findDataFolder();
    if (!data) {
        refusal.message = data.message();
        return nullptr;
    }
    const auto start = std::chrono::steady_clock::now();
    offscreen->gfx_.emplace(*offscreen->window_.device);
    Result<std::unique_ptr<Assets>> assets = Assets::load(*offscreen->gfx_, width, height, data.value());
    if (!assets) {
        refusal.message = assets.message();
        return nullptr;
    }
    offscreen->assets_ = assets.take();
    offscreen->intro_.emplace(*offscreen->gfx_, *offscreen->assets_, offscreen->music_, width, height);
    offscreen->intro_->prepare(data.value());
    frameClock.reset();
    offscreen->intro_->start(0);
    offscreen->loadSeconds_ = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return offscreen;
}

OffscreenIntro::~OffscreenIntro()
{
    intro_.reset();
    assets_.reset();
    gfx_.reset();
    music_.release();
    closeWindow(window_);
    SDL_Quit();
}

FrameResult OffscreenIntro::render(int t) { return intro_->renderAt(t); }

void OffscreenIntro::restart()
{
    intro_->restart();
    setManualCounter(0);
    frameClock.reset();
    intro_->start(0);
}
