#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "CaptureOptions.h"
#include "FlashRules.h"
#include "app/OffscreenIntro.h"

// What the capture's kinds of output share: opening the intro, the frames of a span, the
// flash watch and the messages.

// The intro opened offscreen at the capture's size, or null when it cannot be (said on stderr).
std::unique_ptr<OffscreenIntro> openIntro(const CaptureOptions& options);

// The transitions of consecutive frames as they are drawn, for the flash rules.
class FlashWatch {
public:
    FlashWatch(int width, int height, int fps) : fps_(fps), detector_(width, height, fps) {}
    void add(const std::vector<uint8_t>& rgba) { frames_.push_back(detector_.add(rgba.data())); }
    // The frames added, the first of them showing demo time firstMs.
    FlashJudgement judge(int firstMs) const { return judgeFlashes(frames_, fps_, firstMs); }

private:
    int fps_;
    TransitionDetector detector_;
    std::vector<FrameTransitions> frames_;
};

// After a sequence or a video: one line when what was written fails the flash rules, so that
// whoever publishes it knows.
void sayFlashes(const FlashJudgement& judgement, const CaptureOptions& options);

// Says why, when something the capture is to write cannot be written; false then.
bool outputsWritable(const std::vector<std::string>& problems);

// The first and the end (not included) of the frames n with n / fps in [from, to).
inline int64_t firstFrameOf(const CaptureOptions& options)
{
    return (int64_t{options.fromMs} * options.fps + 999) / 1000;
}
inline int64_t endFrameOf(const CaptureOptions& options) { return (int64_t{options.toMs} * options.fps + 999) / 1000; }

// A video with its music and chapters (--video), where the platform can make one.
int captureVideo(const CaptureOptions& options);
