// orvale-invit in a web page: the page's setup dialog starts a run (orvale_go), ticked at the
// browser's animation frames: the page has no threads, so loading, the music's decoding and a
// late start's catch-up are done a slice per frame. The data comes with the page, in its file
// system under /data.
#include <SDL.h>
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/CommandLine.h"
#include "app/DisplaySettings.h"
#include "app/Fatal.h"
#include "app/Presentation.h"
#include "app/Run.h"
#include "app/Window.h"
#include "audio/MusicPlayer.h"
#include "platform/web/WebPage.h"
#include "timeline/Timeline.h"

namespace {

const char* const kDataFolder = "/data";

// Everything one page holds: the window and the music for as long as the page lives, and the
// run from "Go!" to its end.
struct WebIntro {
    LaunchOptions options;
    DisplaySettings settings;  // the render size and "Fewer flashes" of the address, then of "Go!"
    std::optional<int32_t> atMs;  // the one moment to show, without the dialog or the music
    AppWindow window;
    std::optional<Gfx> g;
    MusicPlayer music;
    bool musicOpened = false;
    std::optional<Presenter> presenter;
    std::optional<Run> run;
    RunEvents events;  // the viewer's controls since the last animation frame
};

WebIntro web;

// Ends the run; what it made is released and the music holds.
void endRun()
{
    web.music.pause(true);
    web.run.reset();
    web.presenter.reset();
}

// One animation frame of the browser.
void tick()
{
    // SDL follows the canvas's size through its events.
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
    if (!web.run) return;
    const RunStep step = web.run->tick(std::exchange(web.events, {}));
    switch (step.next) {
    case RunStep::Next::Wait:
    case RunStep::Next::Show:
        break;
    case RunStep::Next::End:
        endRun();
        pageEnded();
        return;
    case RunStep::Next::Fail: {
        const std::string message = web.run->failure();
        endRun();
        reportFatal(message.c_str(), {});
        return;
    }
    }
    if (!step.firstFrame) return;
    if (web.run->phase() == Run::Phase::Holding)
        pageShown(web.settings.width, web.settings.height);
    else
        pagePlaying();
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
        web.settings.width = *web.options.width;
        web.settings.height = *web.options.height;
    }
    web.settings.fewerFlashes = web.options.fewerFlashes;
    return {};
}

}  // namespace

// The page's "Go!": a run at the chosen render size, with fewer flashes or not. Called within
// the press, which lets the page start the sound.
extern "C" EMSCRIPTEN_KEEPALIVE void orvale_go(int width, int height, int fewerFlashes)
{
    if (web.run || !web.g) return;
    if (width < kMinWidth || height < kMinHeight || width > kMaxWidth || height > kMaxHeight) return;
    web.settings.width = width;
    web.settings.height = height;
    web.settings.fewerFlashes = fewerFlashes != 0;
    if (!web.musicOpened) {
        if (web.options.mute || web.atMs)
            web.music.useVirtualOutput();
        else
            web.music.openOutput();
        web.musicOpened = true;
    }
    RunSettings settings;
    settings.width = width;
    settings.height = height;
    settings.data = kDataFolder;
    settings.startMs = web.options.startMs;
    settings.holdMs = web.atMs;
    settings.loop = web.options.loop;
    settings.hearDemoTime = web.options.mute || web.atMs;
    settings.fewerFlashes = web.settings.fewerFlashes;
    settings.avOffsetMs = web.options.avOffsetMs;
    settings.decoding = MusicPlayer::Decoding::InSlices;
    settings.overlay = false;  // the page's control bar says the same
    // The canvas holds the picture's own pixels; the browser scales it into the page.
    SDL_SetWindowSize(web.window.window, width, height);
    web.presenter.emplace(web.window.window, *web.g, width, height);
    web.run.emplace(*web.g, web.music, *web.presenter, settings, [] {
        return static_cast<int64_t>(emscripten_get_now() * 1000.0);
    });
}

// Escape, leaving the browser's full screen, or the page closing: the run ends.
extern "C" EMSCRIPTEN_KEEPALIVE void orvale_end()
{
    if (web.run) endRun();
}

// The page went to the background (true) or came back: the music holds meanwhile, and the
// picture, which follows it, with it.
extern "C" EMSCRIPTEN_KEEPALIVE void orvale_hold(int hidden)
{
    if (web.run && web.run->phase() == Run::Phase::Playing) web.music.pause(hidden != 0);
}

// A control of the page's (its keys and its control bar), numbered as Control; it acts at the
// next animation frame.
extern "C" EMSCRIPTEN_KEEPALIVE void orvale_control(int control)
{
    if (control >= 0 && control <= static_cast<int>(Control::FrameBack))
        web.events.controls.push_back(static_cast<Control>(control));
}

// The release of the timeline's handle: a seek to the moment ms.
extern "C" EMSCRIPTEN_KEEPALIVE void orvale_seek(int ms) { web.events.seekTo = ms; }

// The moment shown (ms; the one a seek is on its way to), and whether the viewer holds it
// (1) and whether controls are still on their way (2: not yet taken, or a seek still running).
extern "C" EMSCRIPTEN_KEEPALIVE int orvale_moment() { return web.run ? web.run->momentMs() : 0; }
extern "C" EMSCRIPTEN_KEEPALIVE int orvale_paused()
{
    if (!web.run) return 0;
    const bool pending = !web.events.controls.empty() || web.events.seekTo;
    return (web.run->paused() ? 1 : 0) | (pending || web.run->phase() == Run::Phase::Seeking ? 2 : 0);
}

// The chapters for the page's timeline: the start (ms) and title of chapter i; -1 and null past
// the last. And the last moment a seek reaches (ms).
extern "C" EMSCRIPTEN_KEEPALIVE int orvale_chapter_start(int i)
{
    return i >= 0 && i < static_cast<int>(std::size(kChapters)) ? kChapters[i].start() : -1;
}
extern "C" EMSCRIPTEN_KEEPALIVE const char* orvale_chapter_title(int i)
{
    return i >= 0 && i < static_cast<int>(std::size(kChapters)) ? kChapters[i].title : nullptr;
}
extern "C" EMSCRIPTEN_KEEPALIVE int orvale_last_moment() { return lastSeekableMoment(); }

// How long the last seek took to put its moment's state in place (microseconds; -1 before the
// first), for the page's benchmark of seeks.
extern "C" EMSCRIPTEN_KEEPALIVE double orvale_last_seek_us()
{
    return web.run ? static_cast<double>(web.run->lastSeekMicroseconds()) : -1;
}

// The pixels of the moment shown (?at=MS, or the frame held while paused), top row first, RGBA
// at the render size; null until it is shown and while the intro plays.
extern "C" EMSCRIPTEN_KEEPALIVE const uint8_t* orvale_frame_pixels()
{
    return !web.run || web.run->heldPixels().empty() ? nullptr : web.run->heldPixels().data();
}

int main(int argc, char** argv)
{
    const std::string problem = readOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!problem.empty()) {
        reportFatal(("the address's parameter " + problem + ".").c_str(), {});
        return 1;
    }
    // Keys reach SDL only from the canvas: the dialog's keys stay the page's.
    SDL_SetHint(SDL_HINT_EMSCRIPTEN_KEYBOARD_ELEMENT, "#canvas");
    // The canvas's pixels are the render size's (set at "Go!"), not its box's times the
    // display's pixel ratio: three to five times as many on phones and tablets.
    SDL_SetHint(SDL_HINT_VIDEO_HIGHDPI_DISABLED, "1");
    // The loop is the browser's; swaps are its animation frames (set by the window's vsync).
    emscripten_set_main_loop(tick, 0, 0);
    DisplaySettings windowSettings = web.settings;
    windowSettings.fullScreen = 0;  // the page takes the browser's full screen itself
    if (const Status opened = openWindow(windowSettings, GLApi::ES, web.window); !opened.ok()) {
        reportFatal(opened.message().c_str(), {});
        emscripten_cancel_main_loop();
        return 1;
    }
    // SDL would size the canvas to its box again whenever the page's window is resized.
    emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, nullptr);
    web.g.emplace(*web.window.device);
    if (web.atMs) {
        orvale_go(web.settings.width, web.settings.height, web.settings.fewerFlashes);
        return 0;
    }
    pageReady(web.settings.width, web.settings.height);
    return 0;
}
