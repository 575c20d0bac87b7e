// Videos through the ffmpeg program, which the Linux build drives.
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "CaptureSteps.h"
#include "Chapters.h"
#include "OutputCheck.h"
#include "Progress.h"
#include "VideoEncoder.h"
#include "app/FramePixels.h"

namespace {

// Set by Ctrl-C or a termination request during a video capture.
volatile std::sig_atomic_t interrupted = 0;

void onInterrupt(int) { interrupted = 1; }

}  // namespace

int captureVideo(const CaptureOptions& options)
{
    // Frames n with n / fps in [from, to) are written; the ones before are only rendered.
    const int64_t fps = options.fps;
    const int64_t end = endFrameOf(options), first = firstFrameOf(options);

    std::signal(SIGPIPE, SIG_IGN);  // a stopped ffmpeg shows as a failed write
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);

    if (!outputsWritable({options.chaptersPath.empty() ? "" : cannotWriteFile(options.chaptersPath)})) return 1;
    // Chapter marks in the video's own time, whose 0 is frame `first`'s demo time.
    const std::vector<VideoChapter> chapters = videoChapters(static_cast<int>(std::lround(first * 1000.0 / fps)),
                                                        static_cast<int>(std::lround((end - first) * 1000.0 / fps)));

    VideoEncoder encoder;
    std::string error;
    if (!encoder.start({options.videoPath, options.width, options.height, options.fps, end - first, options.format,
                        ffmetadata(chapters)},
                       error)) {
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
    FlashWatch flashes(options.width, options.height, options.fps);
    for (int64_t n = 0; n < end; ++n) {
        if (interrupted) {
            encoder.abort();
            progress.breakLine();
            std::fprintf(stderr, "orvale-capture: interrupted; %s not written\n", options.videoPath.c_str());
            return 130;
        }
        // The frames before the first one written run without drawing.
        intro->gfx().setDrawing(n >= first);
        intro->render(frameTime(n, options.fps));
        if (n >= first) {
            readFrame(intro->gfx(), options.width, options.height, pixels);
            flashes.add(pixels);
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
    if (!options.chaptersPath.empty() && !(std::ofstream(options.chaptersPath) << chapterList(chapters))) {
        std::fprintf(stderr, "orvale-capture: wrote %s, but cannot write %s\n", options.videoPath.c_str(),
                     options.chaptersPath.c_str());
        return 1;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double length = static_cast<double>(end - first) / fps;
    std::fprintf(stderr,
                 "orvale-capture: wrote %s: %lld frames (%.3f s) at %dx%d, %d fps, %s, with the music and %zu "
                 "chapters, in %.1f s (%.2f times the video's length); loading took %.3f s\n",
                 options.videoPath.c_str(), static_cast<long long>(end - first), length, options.width,
                 options.height, options.fps, options.format.lossless ? "lossless" : "H.264", chapters.size(), seconds,
                 seconds / length, intro->loadSeconds());
    sayFlashes(flashes.judge(frameTime(first, options.fps)), options);
    return 0;
}
