// orvale-capture: renders the intro offline, without a window or an audio device, at a
// fixed frame rate from demo time 0, and writes what the intro shows as PNG files. The music
// is decoded but not played: what is "heard" is the demo time, so the scenes beat as live.
//
//   orvale-capture [--size WxH] [--fps N] [--out DIR] --at MS[,MS...]
//   orvale-capture [--size WxH] [--fps N] --storyboard FILE --every SECONDS
//
// Every frame up to the last one asked for is rendered, so that everything that carries
// state from frame to frame (particles, the clear colour) has its history.
#include <SDL.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "FrameOutput.h"
#include "app/Assets.h"
#include "app/DisplaySettings.h"
#include "app/Fatal.h"
#include "app/Frame.h"
#include "app/FrameClock.h"
#include "app/Window.h"
#include "audio/MusicPlayer.h"
#include "timeline/Timeline.h"

namespace {

struct Options {
    int width = 1280;
    int height = 720;
    int fps = 60;
    std::string outDir = ".";
    std::set<int> at;             // demo times to write as single frames, ms
    std::string storyboardPath;   // empty: no storyboard
    double everySeconds = 0;
};

[[noreturn]] void usage(const std::string& problem)
{
    std::fprintf(stderr,
                 "orvale-capture: %s\n"
                 "usage: orvale-capture [--size WxH] [--fps N] [--out DIR] --at MS[,MS...]\n"
                 "       orvale-capture [--size WxH] [--fps N] --storyboard FILE --every SECONDS\n",
                 problem.c_str());
    std::exit(2);
}

bool parseInt(const std::string& text, int& value)
{
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end || v < 0 || v > 100000000) return false;
    value = static_cast<int>(v);
    return true;
}

Options parse(int argc, char** argv)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc) usage("missing value after " + arg);
        const std::string value = argv[++i];
        if (arg == "--size") {
            const size_t x = value.find('x');
            if (x == std::string::npos || !parseInt(value.substr(0, x), o.width) ||
                !parseInt(value.substr(x + 1), o.height) || o.width < 16 || o.height < 16 || o.width > 8192 ||
                o.height > 8192)
                usage("--size wants WIDTHxHEIGHT between 16 and 8192, not " + value);
        } else if (arg == "--fps") {
            if (!parseInt(value, o.fps) || o.fps < 1 || o.fps > 1000) usage("--fps wants 1 to 1000, not " + value);
        } else if (arg == "--out") {
            o.outDir = value;
        } else if (arg == "--at") {
            std::stringstream list(value);
            std::string item;
            while (std::getline(list, item, ',')) {
                int ms = 0;
                if (!parseInt(item, ms) || ms > kSceneWindows[11].end)
                    usage("--at wants demo times in milliseconds up to " + std::to_string(kSceneWindows[11].end) +
                          ", not " + item);
                o.at.insert(ms);
            }
        } else if (arg == "--storyboard") {
            o.storyboardPath = value;
        } else if (arg == "--every") {
            o.everySeconds = std::atof(value.c_str());
            if (!(o.everySeconds >= 0.1)) usage("--every wants at least 0.1 seconds, not " + value);
        } else {
            usage("unknown option " + arg);
        }
    }
    if (o.at.empty() && o.storyboardPath.empty()) usage("nothing to capture: give --at or --storyboard");
    if (!o.storyboardPath.empty() && o.everySeconds == 0) usage("--storyboard needs --every");
    return o;
}

// The virtual counter the frame clock reads: milliseconds of demo time.
int64_t virtualMs = 0;

// Keeps a one-line progress report up to date on a terminal.
class Progress {
public:
    explicit Progress(size_t total) : total_(total), tty_(isatty(STDERR_FILENO)) {}
    void frame(size_t done, int timeMs)
    {
        if (!tty_ || (done % 30 != 0 && done != total_)) return;
        std::fprintf(stderr, "\rorvale-capture: frame %zu of %zu (%d.%03d s)   ", done, total_, timeMs / 1000,
                     timeMs % 1000);
        if (done == total_) std::fputc('\n', stderr);
    }

private:
    size_t total_;
    bool tty_;
};

}  // namespace

int main(int argc, char** argv)
{
    const Options options = parse(argc, argv);

    std::vector<int> storyboardTimes;
    if (!options.storyboardPath.empty())
        for (double s = 0; s * 1000 <= kSceneWindows[11].start; s += options.everySeconds)
            storyboardTimes.push_back(static_cast<int>(s * 1000 + 0.5));

    // Frame n of the fixed rate shows demo time n / fps; the asked-for times are added.
    std::set<int> times(options.at.begin(), options.at.end());
    times.insert(storyboardTimes.begin(), storyboardTimes.end());
    const int last = *times.rbegin();
    for (int n = 0;; ++n) {
        const int ms = static_cast<int>(static_cast<int64_t>(n) * 1000 / options.fps);
        if (ms > last) break;
        times.insert(ms);
    }

    fatalErrorBoxes = false;
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
    displaySettings = {options.width, options.height, 32, 0};
    setCounterSource({[](int64_t& f) {
                          f = 1000;
                          return true;
                      },
                      [] { return virtualMs; }, [] { return virtualMs; }});

    musicPlayer->useVirtualOutput();

    AppWindow window;
    if (!openWindow(displaySettings, window)) return 1;
    const auto loadStart = std::chrono::steady_clock::now();
    loadAssets();
    const double loadSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - loadStart).count();

    Storyboard storyboard(std::max<int>(1, static_cast<int>(storyboardTimes.size())), options.width, options.height);
    Progress progress(times.size());
    int written = 0;
    size_t done = 0;
    for (const int t : times) {
        virtualMs = t;
        frameClock.update();
        musicPlayer->setVirtualTime(t / 1000.0);
        renderFrame(t);
        const bool single = options.at.count(t) != 0;
        const bool cell = std::binary_search(storyboardTimes.begin(), storyboardTimes.end(), t);
        if (single || cell) {
            cairo_surface_t* frame = readFrame(options.width, options.height);
            if (single) {
                char name[32];
                std::snprintf(name, sizeof name, "/frame-%06d.png", t);
                const std::string path = options.outDir + name;
                if (cairo_surface_write_to_png(frame, path.c_str()) != CAIRO_STATUS_SUCCESS) {
                    std::fprintf(stderr, "orvale-capture: cannot write %s\n", path.c_str());
                    return 1;
                }
                ++written;
            }
            if (cell) storyboard.add(frame, t);
            cairo_surface_destroy(frame);
        }
        progress.frame(++done, t);
    }
    if (!options.storyboardPath.empty()) {
        if (!storyboard.write(options.storyboardPath)) {
            std::fprintf(stderr, "orvale-capture: cannot write %s\n", options.storyboardPath.c_str());
            return 1;
        }
        ++written;
    }
    std::fprintf(stderr, "orvale-capture: %zu frames rendered at %dx%d, %d files written; loading took %.3f s\n",
                 times.size(), options.width, options.height, written, loadSeconds);

    releaseAssets();
    closeWindow(window);
    SDL_Quit();
    return 0;
}
