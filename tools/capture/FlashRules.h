#pragma once

// The published rules for flashing pictures (WCAG 2.x success criterion 2.3.1, ITU-R BT.1702),
// applied to a sequence of frames that each stand for a whole screen.
//
// A transition is a change of relative luminance of at least 0.1 between a brightest and a
// darkest state, over at least a quarter of the picture, whose darker state is below 0.8; a
// red transition is a change of more than 20 in (R - G - B) x 320 (linear R, G and B from 0
// to 1, negative values taken as 0) where either state is saturated red, R / (R + G + B) at
// least 0.8, over the same area. A flash is two opposing transitions: more than three flashes
// (six transitions) in any one second fail, and two or three a second kept up for more than
// five seconds are the extended failure. The stricter "quarter of any 10 degree field" of WCAG
// is not applied.

#include <cstdint>
#include <vector>

namespace flashRules {
inline constexpr float kLuminanceChange = 0.1f;   // relative luminance, 0 to 1
inline constexpr float kDarkerBelow = 0.8f;       // relative luminance of the darker state
inline constexpr float kRedChange = 20.0f;        // in (R - G - B) x 320
inline constexpr float kSaturatedRed = 0.8f;      // R / (R + G + B)
inline constexpr int kMostTransitions = 6;        // in one second; more fail
inline constexpr int kSustainedTransitions = 4;   // in one second, kept up ...
inline constexpr int kLongestSustainedMs = 5000;  // ... for longer than this fails
// A pixel's extremes are kept for between one and two of these while the picture does not
// turn, ms. Flashes that can fail (two or more a second) turn within it; a moving picture would
// otherwise gather extremes in every pixel, and then seem to go both ways whatever it does.
inline constexpr int kExtremesKeptMs = 250;
}  // namespace flashRules

// Whether a luminance or a red transition completes at a frame.
struct FrameTransitions {
    bool luminance = false;
    bool red = false;
};

// Finds the transitions in a sequence of frames of one size. The picture is measured in a grid
// of cells (up to kCellColumns x kCellRows), each the mean light of its pixels, so that small
// things moving inside a cell do not count as flashing. Each cell keeps the darkest and the
// brightest it has been since the picture last turned (over the last quarter to half a second
// at most); the picture turns when a quarter of its cells more have gone far enough one way
// from those extremes than have gone the other way, so that a moving picture, where as much
// goes dark as goes bright, does not flash. A change that runs over several frames thus counts
// once, when it has gone far enough, and a change that keeps going the same way does not count
// again.
class TransitionDetector {
public:
    static constexpr int kCellColumns = 32, kCellRows = 18;

    // For frames of width x height pixels at `fps` frames a second.
    TransitionDetector(int width, int height, int fps);

    // The next frame: RGBA pixels (alpha ignored), 8-bit sRGB, rows one after the other from
    // either end.
    FrameTransitions add(const uint8_t* rgba);

private:
    enum class Turn { None, Up, Down };
    // The darkest and brightest each cell was over a stretch of frames, which of them came
    // later, and whether it was saturated red there (redness alone).
    struct Extremes {
        std::vector<float> lowest, highest;
        std::vector<uint8_t> lowestSaturated, highestSaturated;
        std::vector<uint8_t> highestLater;
    };
    // One measure of the cells (luminance, or redness with where it is saturated red), the
    // extremes each cell reached since the picture last turned, in the stretch going on and
    // the one before it, and the way the picture last turned.
    struct Measure {
        Turn last = Turn::None;
        int framesInStretch = 0;
        std::vector<float> value;
        std::vector<uint8_t> saturated;
        Extremes now, before;
    };
    // Both stretches of extremes start again at the frame.
    static void restart(Measure& m);
    // Counts the cells that went up or down far enough against their extremes, moves the
    // extremes on and decides whether the picture turned: a transition.
    bool step(Measure& m, bool red);

    int width_, height_;
    int columns_, rows_;
    int cells_;
    std::vector<int> cellOfColumn_, cellOfRow_;  // a pixel's cell column and row
    std::vector<int> pixelsOfCell_;
    std::vector<float> sums_;  // linear red, green and blue of each cell, summed
    int stretch_;              // frames
    bool first_ = true;
    Measure luminance_;
    Measure red_;
};

enum class FlashVerdict {
    Pass,      // at most three flashes in the second
    Warning,   // two or three flashes: allowed unless kept up
    Fail,      // more than three flashes in one second
    Extended,  // part of two or more flashes a second kept up for more than five seconds
};
const char* verdictName(FlashVerdict verdict);

// One whole second of demo time, ending at endMs.
struct FlashSecond {
    int endMs = 0;
    int luminance = 0, red = 0;            // transitions in the second ending at endMs
    int mostLuminance = 0, mostRed = 0;    // the most in any second ending within this one
    FlashVerdict verdict = FlashVerdict::Pass;
};

// A stretch of demo time that fails, from its first transition to its last, in ms.
struct FlashFailure {
    enum class Kind { Luminance, Red, ExtendedLuminance, ExtendedRed };
    Kind kind;
    int fromMs = 0, toMs = 0;
    int most = 0;  // the most transitions in any one second within it
};
const char* kindName(FlashFailure::Kind kind);

struct FlashJudgement {
    std::vector<FlashSecond> seconds;
    std::vector<FlashFailure> failures;  // in order of their start
    int mostLuminance = 0, mostRed = 0;  // in any one second of the whole sequence
    bool passes() const { return failures.empty(); }
};

// Judges the transitions of consecutive frames at `fps` frames a second of demo time, frame i
// showing demo time firstMs + i * 1000 / fps: the seconds are the whole seconds of demo time
// the frames reach, the last one possibly in part.
FlashJudgement judgeFlashes(const std::vector<FrameTransitions>& frames, int fps, int firstMs);
