// orvale-capture: renders the intro offline, without a window or an audio device, at a
// fixed frame rate from demo time 0, and writes what the intro shows as PNG files, a
// sequence of them or a video with its music, or checks a span's frames against the rules
// for flashing pictures. The music is decoded but not played: what is "heard" is the demo
// time, so the scenes beat as live.
//
// Every frame of the fixed rate up to the last one asked for is run, so that everything that
// carries from frame to frame (particles, the clear colour) has its history; only the frames
// written are drawn, the others run without a GPU. Every output is checked before the first
// frame is run.
#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "CaptureOptions.h"
#include "CaptureSteps.h"
#include "Chapters.h"
#include "FlashReport.h"
#include "FlashRules.h"
#include "FrameOutput.h"
#include "OutputCheck.h"
#include "PngWriter.h"
#include "Progress.h"
#include "app/Fatal.h"
#include "app/FramePixels.h"
#include "app/OffscreenIntro.h"
#include "text/FontFile.h"
#include "timeline/Timeline.h"

namespace {

// The face file the storyboard writes its times with: DejaVu Sans as the system has it, else
// the one among the data's fonts; empty when there is none.
std::string storyboardFace(OffscreenIntro& intro)
{
    return findFontFile("DejaVu Sans", false, false, intro.assets().gfx.parent_path() / "fonts").path;
}

// Single frames (--at), a storyboard or a frame sequence (--frames): PNG files.
int captureFrames(const CaptureOptions& options)
{
    if (!outputsWritable({options.at.empty() ? "" : cannotWriteInto(options.outDir),
                          options.storyboardPath.empty() ? "" : cannotWriteFile(options.storyboardPath),
                          options.framesDir.empty() ? "" : cannotWriteInto(options.framesDir)}))
        return 1;

    std::vector<int> storyboardTimes;
    if (!options.storyboardPath.empty())
        for (double s = 0; s * 1000 <= sceneWindow(TimeWindow::End).start; s += options.everySeconds)
            storyboardTimes.push_back(static_cast<int>(s * 1000 + 0.5));
    // Frame n of a sequence shows demo time from + n / fps.
    std::vector<int> sequenceTimes;
    if (!options.framesDir.empty())
        for (int64_t n = 0; options.fromMs + frameTime(n, options.fps) < options.toMs; ++n)
            sequenceTimes.push_back(options.fromMs + frameTime(n, options.fps));

    std::unique_ptr<OffscreenIntro> intro = openIntro(options);
    if (!intro) return 1;

    std::optional<Storyboard> storyboard;
    if (!options.storyboardPath.empty())
        storyboard.emplace(static_cast<int>(storyboardTimes.size()), options.width, options.height,
                           storyboardFace(*intro));
    int written = 0;
    size_t drawn = 0;
    FlashWatch flashes(options.width, options.height, options.fps);
    std::vector<uint8_t> rgba;
    // Reads the frame just drawn and writes it to each path; false when one cannot be.
    const auto keep = [&](int t, const std::vector<std::string>& paths, bool cell, Progress& progress) {
        ++drawn;
        readFrame(intro->gfx(), options.width, options.height, rgba);
        if (!options.framesDir.empty()) flashes.add(rgba);
        const RgbPicture frame = topDownRgb(rgba.data(), options.width, options.height);
        for (const std::string& path : paths) {
            if (!writePng(path, frame)) {
                progress.breakLine();
                std::fprintf(stderr, "orvale-capture: cannot write %s\n", path.c_str());
                return false;
            }
            ++written;
        }
        if (cell) storyboard->add(frame, t);
        return true;
    };
    char name[32];

    if (sequenceTimes.empty()) {
        // Single moments, each the moment the intro means on the --fps grid, in any order.
        std::set<int> moments(options.at.begin(), options.at.end());
        moments.insert(storyboardTimes.begin(), storyboardTimes.end());
        Progress progress(static_cast<size_t>(catchUpFrames(*moments.rbegin(), options.fps)) + 1);
        for (const int t : moments) {
            std::vector<std::string> paths;
            if (options.at.count(t) != 0) {
                std::snprintf(name, sizeof name, "/frame-%06d.png", t);
                paths.push_back(options.outDir + name);
            }
            intro->gfx().setDrawing(true);
            intro->run().drawMoment(t, options.fps);
            if (!keep(t, paths, std::binary_search(storyboardTimes.begin(), storyboardTimes.end(), t), progress))
                return 1;
            progress.frame(static_cast<size_t>(catchUpFrames(t, options.fps)) + 1);
        }
    } else {
        // A sequence: its frames one after another as they play, after the grid's frames before
        // them, which run without drawing.
        std::set<int> times(sequenceTimes.begin(), sequenceTimes.end());
        for (int64_t n = 0; frameTime(n, options.fps) < sequenceTimes.front(); ++n)
            times.insert(frameTime(n, options.fps));
        Progress progress(times.size());
        size_t done = 0;
        for (const int t : times) {
            const auto inSequence = std::lower_bound(sequenceTimes.begin(), sequenceTimes.end(), t);
            const bool kept = inSequence != sequenceTimes.end() && *inSequence == t;
            intro->gfx().setDrawing(kept);
            intro->render(t);
            if (kept) {
                std::snprintf(name, sizeof name, "/frame-%06d.png",
                              static_cast<int>(inSequence - sequenceTimes.begin()));
                if (!keep(t, {options.framesDir + name}, false, progress)) return 1;
            }
            progress.frame(++done);
        }
    }
    if (storyboard) {
        if (!storyboard->write(options.storyboardPath)) {
            std::fprintf(stderr, "orvale-capture: cannot write %s\n", options.storyboardPath.c_str());
            return 1;
        }
        ++written;
    }
    std::fprintf(stderr, "orvale-capture: %zu frames drawn at %dx%d, %d files written; loading took %.3f s\n",
                 drawn, options.width, options.height, written, intro->loadSeconds());
    if (!sequenceTimes.empty()) sayFlashes(flashes.judge(sequenceTimes.front()), options);
    return 0;
}

// The span's frames against the flash rules (--flashes): drawn and read back, never written.
// Exit status 3 when they fail.
int captureFlashes(const CaptureOptions& options)
{
    if (!outputsWritable({cannotWriteFile(options.flashesPath)})) return 1;
    const int64_t first = firstFrameOf(options), end = endFrameOf(options);
    std::unique_ptr<OffscreenIntro> intro = openIntro(options);
    if (!intro) return 1;
    Progress progress(static_cast<size_t>(end));
    FlashWatch flashes(options.width, options.height, options.fps);
    std::vector<uint8_t> rgba;
    for (int64_t n = 0; n < end; ++n) {
        // The frames before the span run without drawing.
        intro->gfx().setDrawing(n >= first);
        intro->render(frameTime(n, options.fps));
        if (n >= first) {
            readFrame(intro->gfx(), options.width, options.height, rgba);
            flashes.add(rgba);
        }
        progress.frame(static_cast<size_t>(n + 1));
    }
    const int firstMs = frameTime(first, options.fps);
    const FlashJudgement judgement = flashes.judge(firstMs);
    const FlashSpanInfo span{options.width, options.height, options.fps, options.fromMs, options.toMs,
                             options.fewerFlashes};
    if (!(std::ofstream(options.flashesPath) << flashReport(judgement, span))) {
        std::fprintf(stderr, "orvale-capture: cannot write %s\n", options.flashesPath.c_str());
        return 1;
    }
    if (judgement.passes())
        std::fprintf(stderr,
                     "orvale-capture: %lld frames pass the rules for flashing pictures: at most %d luminance and %d "
                     "red transitions in any one second; the report is in %s\n",
                     static_cast<long long>(end - first), judgement.mostLuminance, judgement.mostRed,
                     options.flashesPath.c_str());
    else
        std::fprintf(stderr,
                     "orvale-capture: %lld frames fail the rules for flashing pictures: %s; the report is in %s\n",
                     static_cast<long long>(end - first), flashFailures(judgement).c_str(),
                     options.flashesPath.c_str());
    return judgement.passes() ? 0 : 3;
}

}  // namespace

int main(int argc, char** argv)
{
    SDL_SetMainReady();
    const ParsedCaptureOptions parsed = parseCaptureOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.problem.empty()) {
        std::fprintf(stderr, "orvale-capture: %s\n%s", parsed.problem.c_str(), captureUsage().c_str());
        return 2;
    }
    const CaptureOptions& options = parsed.options;
    switch (options.action) {
    case CaptureOptions::Action::Help:
        std::fputs(captureUsage().c_str(), stdout);
        return 0;
    case CaptureOptions::Action::Version:
        std::printf("orvale-capture %s\n", ORVALE_VERSION);
        return 0;
    case CaptureOptions::Action::Capture:
        break;
    }
    if (!options.flashesPath.empty()) return captureFlashes(options);
    return options.videoPath.empty() ? captureFrames(options) : captureVideo(options);
}
