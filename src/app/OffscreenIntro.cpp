#include "app/OffscreenIntro.h"

#include <SDL.h>

#include <chrono>
#include <cstdint>

#include "app/Assets.h"
#include "app/DisplaySettings.h"
#include "app/Fatal.h"
#include "app/Frame.h"
#include "app/FrameClock.h"
#include "audio/MusicPlayer.h"

namespace {
int64_t virtualMs = 0;  // what the frame clock reads
}  // namespace

bool openOffscreenIntro(int width, int height, AppWindow& window, double& loadSeconds)
{
    fatalErrorBoxes = false;
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
    displaySettings = {width, height, 32, 0};
    setCounterSource({[](int64_t& f) {
                          f = 1000;
                          return true;
                      },
                      [] { return virtualMs; }, [] { return virtualMs; }});
    musicPlayer->useVirtualOutput();
    if (!openWindow(displaySettings, window)) return false;
    const auto start = std::chrono::steady_clock::now();
    loadAssets();
    loadSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return true;
}

void renderOffscreenFrame(int t)
{
    virtualMs = t;
    frameClock.update();
    musicPlayer->setVirtualTime(t / 1000.0);
    renderFrame(t);
}

void closeOffscreenIntro(AppWindow& window)
{
    releaseAssets();
    closeWindow(window);
    SDL_Quit();
}
