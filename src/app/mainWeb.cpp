// orvale-invit in a web page: the page's setup dialog starts it (orvale_go), then the loading
// bar and the intro, drawn at the browser's animation frames, never waiting in between: the
// page has no threads, so loading, the music's decoding and a late start's catch-up are done
// a slice per frame. The data comes with the page, in its file system under /data.
#include <SDL.h>
#include <emscripten.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "app/Assets.h"
#include "app/CommandLine.h"
#include "app/DisplaySettings.h"
#include "app/Fatal.h"
#include "app/Frame.h"
#include "app/FrameClock.h"
#include "app/Presentation.h"
#include "app/WebPage.h"
#include "app/Window.h"
#include "audio/MusicPlayer.h"

namespace {

const char* const kDataFolder = "/data";
const char* const kMusicFile = "/data/music/tidewater.ogg";
// A late start's catch-up runs frames for this long per animation frame, in seconds, so that
// the page goes on answering and the loading bar moves.
constexpr double kCatchUpSlice = 0.025;
// The pauses the intro makes at the end of loading and at a start from the beginning, seconds.
constexpr double kSettlePause = 0.3;

double now() { return emscripten_get_now() / 1000.0; }

enum class Phase {
    Idle,        // the dialog, or nothing: no run
    Loading,     // one loading step per animation frame
    Settling,    // the pause at the end of loading
    CatchingUp,  // a late start (or the moment to show) caught up a slice at a time
    Playing,     // the intro, one frame per animation frame
    Holding,     // ?at=MS: the one frame shown again at each animation frame
};

// Everything one page holds: the window and the music for as long as the page lives, and what
// each run (from "Go!" to its end) makes.
struct WebIntro {
    LaunchOptions options;
    std::optional<int32_t> atMs;  // the one moment to show, without the dialog or the music
    AppWindow window;
    std::optional<Gfx> g;
    MusicPlayer music;
    bool musicOpened = false;
    bool musicLoaded = false;

    Phase phase = Phase::Idle;
    std::optional<Presenter> presenter;
    std::optional<AssetLoader> loader;
    std::unique_ptr<Assets> assets;
    std::optional<Intro> intro;
    double waitUntil = 0;  // the end of a pause, seconds on now()
    int32_t startMs = 0;
    bool firstFrame = false;  // the next frame drawn is the run's first
    int32_t caughtUp = 0;  // catch-up frames done
    int32_t catchUpTotal = 0;
    LoadingBar catchUpBar;
    std::optional<RenderTarget> held;  // the moment shown, at the render size
    std::vector<uint8_t> heldPixels;   // its pixels, top row first, RGBA
};

WebIntro web;

// Ends the run with a failure the page shows; what the run made is released.
void endRun();
void failRun(const std::string& message)
{
    endRun();
    reportFatal(message.c_str());
}

// Starts the music at startMs, on which the clock (reset at 0 on the manual counter, then
// caught up) stands; from then on demo time follows the music as heard, or the page's clock
// without sound. A start from the beginning pauses first, as the intro always has.
void startPlaying(int32_t startMs)
{
    web.intro->start(startMs);
    setCounterSource(web.music.audible() ? musicCounterFrom(web.music, startMs, web.options.avOffsetMs)
                                         : systemCounterFrom(startMs));
    web.waitUntil = startMs == 0 ? now() + kSettlePause : 0;
    web.firstFrame = true;
    web.phase = Phase::Playing;
}

// The moment asked for, drawn once into a target of its own, read back for the page and from
// then on shown from there.
void holdMoment()
{
    const int32_t width = displaySettings.width, height = displaySettings.height;
    Result<RenderTarget> target = web.g->createTarget(width, height);
    if (!target) {
        failRun(target.message());
        return;
    }
    web.held.emplace(target.take());
    web.intro->drawInto(&*web.held);
    web.intro->renderAt(*web.atMs);
    web.g->bindTarget(&*web.held);
    std::vector<uint8_t> rows(static_cast<size_t>(width) * height * 4);
    web.g->readPixels({0, 0, width, height}, rows.data());
    // GL's first row is the bottom one.
    const size_t stride = static_cast<size_t>(width) * 4;
    web.heldPixels.resize(rows.size());
    for (int32_t y = 0; y < height; ++y)
        std::copy_n(rows.data() + static_cast<size_t>(height - 1 - y) * stride, stride,
                    web.heldPixels.data() + static_cast<size_t>(y) * stride);
    web.phase = Phase::Holding;
}

void showHeldMoment()
{
    const PixelBox whole{0, 0, displaySettings.width, displaySettings.height};
    web.g->blit(&*web.held, whole, web.presenter->beginFrame(), whole, false);
    web.presenter->showFrame();
}

// Loading is done: the intro is made, the music loaded (once per page) and the clock reset.
void loaded()
{
    web.assets = web.loader->take();
    web.loader.reset();
    web.intro.emplace(*web.g, *web.assets, web.music, displaySettings.width, displaySettings.height);
    web.intro->hearDemoTime(web.options.mute || web.atMs);
    web.intro->drawFewerFlashes(displaySettings.fewerFlashes);
    if (!web.musicLoaded) {
        web.music.load(kMusicFile, MusicPlayer::Decoding::InSlices);
        web.musicLoaded = true;
    }
    useManualCounter();
    frameClock.reset();
    web.waitUntil = now() + kSettlePause;
    web.phase = Phase::Settling;
}

void settled()
{
    web.startMs = web.atMs ? *web.atMs : web.options.startMs;
    if (web.startMs == 0 && !web.atMs) {
        startPlaying(0);
        return;
    }
    web.caughtUp = 0;
    web.catchUpTotal = catchUpFrames(web.startMs);
    web.catchUpBar = LoadingBar{};
    web.catchUpBar.presenter = &*web.presenter;
    web.catchUpBar.setTotal(web.startMs / 1000 + 1);
    web.phase = Phase::CatchingUp;
}

// Runs catch-up frames for a slice of time; the bar moves on with each second of demo time.
void catchUpSlice()
{
    const double until = now() + kCatchUpSlice;
    while (web.caughtUp < web.catchUpTotal && now() < until) {
        web.intro->catchUpFrame(web.caughtUp++);
        if (web.caughtUp % kCatchUpFps == 0)
            web.catchUpBar.advance(*web.g, 1, displaySettings.width, displaySettings.height);
    }
    if (web.caughtUp < web.catchUpTotal) return;
    if (web.atMs) {
        holdMoment();
        if (web.phase == Phase::Holding) pageShown(displaySettings.width, displaySettings.height);
        return;
    }
    web.intro->drawInto(web.presenter->beginFrame());
    web.intro->renderAt(web.startMs);
    web.presenter->showFrame();
    startPlaying(web.startMs);
}

void playFrame()
{
    if (now() < web.waitUntil) return;
    web.intro->drawInto(web.presenter->beginFrame());
    const bool ended = web.intro->renderNext().ended;
    web.presenter->showFrame();
    if (web.firstFrame) pagePlaying();
    web.firstFrame = false;
    if (!ended) return;
    if (!web.options.loop) {
        endRun();
        pageEnded();
        return;
    }
    // Another pass, as a new run would show it.
    web.intro->restart();
    useManualCounter();
    frameClock.reset();
    startPlaying(0);
}

// One animation frame of the browser.
void tick()
{
    // SDL follows the canvas's size through its events.
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
    web.music.decodeAhead();
    switch (web.phase) {
    case Phase::Idle:
        return;
    case Phase::Loading: {
        Result<bool> done = web.loader->step();
        if (!done)
            failRun(done.message());
        else if (done.value())
            loaded();
        return;
    }
    case Phase::Settling:
        if (now() >= web.waitUntil) settled();
        return;
    case Phase::CatchingUp:
        catchUpSlice();
        return;
    case Phase::Playing:
        playFrame();
        return;
    case Phase::Holding:
        showHeldMoment();
        return;
    }
}

void endRun()
{
    web.music.pause(true);
    // The music counter reads the player; the clock goes back to the page's own.
    setCounterSource(systemCounterSource());
    web.held.reset();
    web.intro.reset();
    web.assets.reset();
    web.loader.reset();
    web.presenter.reset();
    web.phase = Phase::Idle;
}

// The address's parameters come as options; a web-only one (--at MS, the moment to show) is
// taken out first. Empty, or what is wrong in words for the page.
std::string readOptions(std::vector<std::string> arguments)
{
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] != "--at") continue;
        const std::string value = i + 1 < arguments.size() ? arguments[i + 1] : "";
        char* end = nullptr;
        const long ms = std::strtol(value.c_str(), &end, 10);
        if (value.empty() || *end || ms < 0 || ms > kLastStartMs)
            return "at wants milliseconds from 0 to " + std::to_string(kLastStartMs) + ", not \"" + value + "\"";
        web.atMs = static_cast<int32_t>(ms);
        arguments.erase(arguments.begin() + static_cast<std::ptrdiff_t>(i),
                        arguments.begin() + static_cast<std::ptrdiff_t>(i + 2));
        break;
    }
    const ParsedCommandLine parsed = parseCommandLine(arguments);
    if (!parsed.problem.empty())
        return parsed.problem.rfind("--", 0) == 0 ? parsed.problem.substr(2) : parsed.problem;
    web.options = parsed.options;
    if (web.options.width) {
        displaySettings.width = *web.options.width;
        displaySettings.height = *web.options.height;
    }
    displaySettings.fewerFlashes = web.options.fewerFlashes;
    return {};
}

}  // namespace

// The page's "Go!": a run at the chosen render size, with fewer flashes or not. Called within
// the press, which lets the page start the sound.
extern "C" EMSCRIPTEN_KEEPALIVE void orvale_go(int width, int height, int fewerFlashes)
{
    if (web.phase != Phase::Idle || !web.g) return;
    if (width < kMinWidth || height < kMinHeight || width > kMaxWidth || height > kMaxHeight) return;
    displaySettings.width = width;
    displaySettings.height = height;
    displaySettings.fewerFlashes = fewerFlashes != 0;
    if (!web.musicOpened) {
        if (web.options.mute || web.atMs)
            web.music.useVirtualOutput();
        else
            web.music.openOutput();
        web.musicOpened = true;
    }
    web.presenter.emplace(web.window.window, *web.g, width, height);
    web.loader.emplace(*web.g, width, height, kDataFolder, &*web.presenter);
    web.phase = Phase::Loading;
}

// Escape, leaving the browser's full screen, or the page closing: the run ends.
extern "C" EMSCRIPTEN_KEEPALIVE void orvale_end()
{
    if (web.phase != Phase::Idle) endRun();
}

// The page went to the background (true) or came back: the music holds meanwhile, and the
// picture, which follows it, with it.
extern "C" EMSCRIPTEN_KEEPALIVE void orvale_hold(int hidden)
{
    if (web.phase == Phase::Playing) web.music.pause(hidden != 0);
}

// The pixels of the moment shown (?at=MS), top row first, RGBA at the render size; null until
// it is shown.
extern "C" EMSCRIPTEN_KEEPALIVE const uint8_t* orvale_frame_pixels()
{
    return web.heldPixels.empty() ? nullptr : web.heldPixels.data();
}

int main(int argc, char** argv)
{
    const std::string problem = readOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!problem.empty()) {
        reportFatal(("the address's parameter " + problem + ".").c_str());
        return 1;
    }
    // Keys reach SDL only from the canvas: the dialog's keys stay the page's.
    SDL_SetHint(SDL_HINT_EMSCRIPTEN_KEYBOARD_ELEMENT, "#canvas");
    // The loop is the browser's; swaps are its animation frames (set by the window's vsync).
    emscripten_set_main_loop(tick, 0, 0);
    DisplaySettings windowSettings = displaySettings;
    windowSettings.fullScreen = 0;  // the page takes the browser's full screen itself
    if (!openWindow(windowSettings, GLApi::ES, web.window)) {
        emscripten_cancel_main_loop();
        return 1;
    }
    web.g.emplace(*web.window.device);
    if (web.atMs) {
        orvale_go(displaySettings.width, displaySettings.height, displaySettings.fewerFlashes);
        return 0;
    }
    pageReady(displaySettings.width, displaySettings.height);
    return 0;
}
