// orvale-capture: renders the intro offline, without a window or an audio device, at a
// fixed frame rate from demo time 0, and writes what the intro shows as PNG files or as a
// video with its music. The music is decoded but not played: what is "heard" is the demo
// time, so the scenes beat as live.
//
//   orvale-capture [--size WxH] [--fps N] [--out DIR] --at MS[,MS...]
//   orvale-capture [--size WxH] [--fps N] --storyboard FILE --every SECONDS
//   orvale-capture [--size WxH] [--fps N] [--from MS] [--to MS] --video FILE
//
// Every frame up to the last one asked for is rendered, so that everything that carries
// state from frame to frame (particles, the clear colour) has its history.
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "FrameOutput.h"
#include "Progress.h"
#include "VideoEncoder.h"
#include "app/Fatal.h"
#include "app/OffscreenIntro.h"
#include "timeline/Timeline.h"

namespace {

// The intro ends as its last window, the quit window, begins.
const int kIntroEnd = kSceneWindows[11].start;

struct Options {
    int width = 1280;
    int height = 720;
    int fps = 60;
    std::string outDir = ".";
    std::set<int> at;             // demo times to write as single frames, ms
    std::string storyboardPath;   // empty: no storyboard
    double everySeconds = 0;
    std::string videoPath;        // empty: no video
    int fromMs = 0;               // the video's first frame, ms
    int toMs = -1;                // the video ends before this time, ms; -1 the intro's end
};

[[noreturn]] void usage(const std::string& problem)
{
    std::fprintf(stderr,
                 "orvale-capture: %s\n"
                 "usage: orvale-capture [--size WxH] [--fps N] [--out DIR] --at MS[,MS...]\n"
                 "       orvale-capture [--size WxH] [--fps N] --storyboard FILE --every SECONDS\n"
                 "       orvale-capture [--size WxH] [--fps N] [--from MS] [--to MS] --video FILE\n",
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

int parseDemoTime(const std::string& option, const std::string& text, int latest)
{
    int ms = 0;
    if (!parseInt(text, ms) || ms > latest)
        usage(option + " wants demo times in milliseconds up to " + std::to_string(latest) + ", not " + text);
    return ms;
}

Options parse(int argc, char** argv)
{
    Options o;
    bool range = false;
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
            while (std::getline(list, item, ',')) o.at.insert(parseDemoTime("--at", item, kSceneWindows[11].end));
        } else if (arg == "--storyboard") {
            o.storyboardPath = value;
        } else if (arg == "--every") {
            o.everySeconds = std::atof(value.c_str());
            if (!(o.everySeconds >= 0.1)) usage("--every wants at least 0.1 seconds, not " + value);
        } else if (arg == "--video") {
            o.videoPath = value;
        } else if (arg == "--from") {
            o.fromMs = parseDemoTime("--from", value, kIntroEnd);
            range = true;
        } else if (arg == "--to") {
            o.toMs = parseDemoTime("--to", value, kIntroEnd);
            range = true;
        } else {
            usage("unknown option " + arg);
        }
    }
    const bool frames = !o.at.empty() || !o.storyboardPath.empty();
    if (!o.videoPath.empty()) {
        if (frames) usage("--video cannot be combined with --at or --storyboard");
        if (o.toMs < 0) o.toMs = kIntroEnd;
        if (o.fromMs >= o.toMs) usage("--from must come before --to");
        return o;
    }
    if (range) usage("--from and --to go with --video");
    if (!frames) usage("nothing to capture: give --at, --storyboard or --video");
    if (!o.storyboardPath.empty() && o.everySeconds == 0) usage("--storyboard needs --every");
    return o;
}

// Set by Ctrl-C or a termination request during a video capture.
volatile std::sig_atomic_t interrupted = 0;

void onInterrupt(int) { interrupted = 1; }

// The intro opened offscreen at the capture's size, or null when it cannot be (said on stderr).
std::unique_ptr<OffscreenIntro> openIntro(const Options& options)
{
    OffscreenIntro::Refusal refusal;
    std::unique_ptr<OffscreenIntro> intro = OffscreenIntro::open(options.width, options.height, refusal);
    if (!intro && !refusal.message.empty()) reportFatal(refusal.message.c_str());
    return intro;
}

// Demo time of frame n at the fixed rate, ms.
int frameTime(int64_t n, int fps) { return static_cast<int>(n * 1000 / fps); }

int captureFrames(const Options& options)
{
    std::vector<int> storyboardTimes;
    if (!options.storyboardPath.empty())
        for (double s = 0; s * 1000 <= kSceneWindows[11].start; s += options.everySeconds)
            storyboardTimes.push_back(static_cast<int>(s * 1000 + 0.5));

    // Frame n of the fixed rate shows demo time n / fps; the asked-for times are added.
    std::set<int> times(options.at.begin(), options.at.end());
    times.insert(storyboardTimes.begin(), storyboardTimes.end());
    const int last = *times.rbegin();
    for (int64_t n = 0; frameTime(n, options.fps) <= last; ++n) times.insert(frameTime(n, options.fps));

    std::unique_ptr<OffscreenIntro> intro = openIntro(options);
    if (!intro) return 1;

    Storyboard storyboard(std::max<int>(1, static_cast<int>(storyboardTimes.size())), options.width, options.height);
    Progress progress(times.size());
    int written = 0;
    size_t done = 0;
    for (const int t : times) {
        intro->render(t);
        const bool single = options.at.count(t) != 0;
        const bool cell = std::binary_search(storyboardTimes.begin(), storyboardTimes.end(), t);
        if (single || cell) {
            const std::unique_ptr<cairo_surface_t, void (*)(cairo_surface_t*)> owned(
                readFrame(options.width, options.height), cairo_surface_destroy);
            cairo_surface_t* frame = owned.get();
            if (single) {
                char name[32];
                std::snprintf(name, sizeof name, "/frame-%06d.png", t);
                const std::string path = options.outDir + name;
                if (cairo_surface_write_to_png(frame, path.c_str()) != CAIRO_STATUS_SUCCESS) {
                    progress.breakLine();
                    std::fprintf(stderr, "orvale-capture: cannot write %s\n", path.c_str());
                    return 1;
                }
                ++written;
            }
            if (cell) storyboard.add(frame, t);
        }
        progress.frame(++done);
    }
    if (!options.storyboardPath.empty()) {
        if (!storyboard.write(options.storyboardPath)) {
            std::fprintf(stderr, "orvale-capture: cannot write %s\n", options.storyboardPath.c_str());
            return 1;
        }
        ++written;
    }
    std::fprintf(stderr, "orvale-capture: %zu frames rendered at %dx%d, %d files written; loading took %.3f s\n",
                 times.size(), options.width, options.height, written, intro->loadSeconds());
    return 0;
}

int captureVideo(const Options& options)
{
    // Frames n with n / fps in [from, to) are written; the ones before are only rendered.
    const int64_t fps = options.fps;
    const int64_t end = (int64_t{options.toMs} * fps + 999) / 1000;
    const int64_t first = (int64_t{options.fromMs} * fps + 999) / 1000;

    std::signal(SIGPIPE, SIG_IGN);  // a stopped ffmpeg shows as a failed write
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);

    VideoEncoder encoder;
    std::string error;
    if (!encoder.start({options.videoPath, options.width, options.height, options.fps, end - first}, error)) {
        std::fprintf(stderr, "orvale-capture: %s\n", error.c_str());
        return 1;
    }
    std::unique_ptr<OffscreenIntro> intro = openIntro(options);
    if (!intro) {
        encoder.abort();
        return 1;
    }
    // The music from the first written frame's time, sample-exact.
    encoder.startAudio(intro->music().track(), first * Track::kRate / fps);

    const auto start = std::chrono::steady_clock::now();
    Progress progress(static_cast<size_t>(end));
    std::vector<uint8_t> pixels;
    for (int64_t n = 0; n < end; ++n) {
        if (interrupted) {
            encoder.abort();
            progress.breakLine();
            std::fprintf(stderr, "orvale-capture: interrupted; %s not written\n", options.videoPath.c_str());
            return 130;
        }
        intro->render(frameTime(n, options.fps));
        if (n >= first) {
            readPixels(options.width, options.height, pixels);
            if (!encoder.writeFrame(pixels, error)) {
                progress.breakLine();
                std::fprintf(stderr, "orvale-capture: %s; %s not written\n", error.c_str(), options.videoPath.c_str());
                return 1;
            }
        }
        progress.frame(static_cast<size_t>(n + 1));
    }
    if (!encoder.finish(error)) {
        std::fprintf(stderr, "orvale-capture: %s; %s not written\n", error.c_str(), options.videoPath.c_str());
        return 1;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double length = static_cast<double>(end - first) / fps;
    std::fprintf(stderr,
                 "orvale-capture: wrote %s: %lld frames (%.3f s) at %dx%d, %d fps, with the music, in %.1f s "
                 "(%.2f times the video's length); loading took %.3f s\n",
                 options.videoPath.c_str(), static_cast<long long>(end - first), length, options.width,
                 options.height, options.fps, seconds, seconds / length, intro->loadSeconds());
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const Options options = parse(argc, argv);
    return options.videoPath.empty() ? captureFrames(options) : captureVideo(options);
}
