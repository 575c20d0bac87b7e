#include "FlashRules.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// 8-bit sRGB to linear light, 0 to 1.
const std::array<float, 256> kLinear = [] {
    std::array<float, 256> table{};
    for (int c = 0; c < 256; ++c) {
        const double v = c / 255.0;
        table[c] = static_cast<float>(v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
    }
    return table;
}();

// Frame i's demo time in ms.
int frameMs(int firstMs, size_t i, int fps) { return firstMs + static_cast<int>(static_cast<int64_t>(i) * 1000 / fps); }

// Transitions in the second ending at each frame: that frame and the fps - 1 before it.
std::vector<int> perSecond(const std::vector<FrameTransitions>& frames, int fps, bool red)
{
    std::vector<int> counts(frames.size());
    int inWindow = 0;
    for (size_t i = 0; i < frames.size(); ++i) {
        inWindow += red ? frames[i].red : frames[i].luminance;
        if (i >= static_cast<size_t>(fps)) inWindow -= red ? frames[i - fps].red : frames[i - fps].luminance;
        counts[i] = inWindow;
    }
    return counts;
}

// The stretches of frames whose second holds at least `least` transitions, each from the first
// transition of its first frame's second to its last transition, with overlapping ones merged.
std::vector<FlashFailure> stretches(const std::vector<FrameTransitions>& frames, const std::vector<int>& counts,
                                    int fps, int firstMs, bool red, int least, FlashFailure::Kind kind)
{
    auto transition = [&](size_t i) { return red ? frames[i].red : frames[i].luminance; };
    std::vector<FlashFailure> found;
    for (size_t i = 0; i < counts.size();) {
        if (counts[i] < least) {
            ++i;
            continue;
        }
        size_t start = i >= static_cast<size_t>(fps) ? i - fps + 1 : 0;
        while (!transition(start)) ++start;
        int most = 0;
        size_t last = i;
        for (; i < counts.size() && counts[i] >= least; ++i) {
            most = std::max(most, counts[i]);
            if (transition(i)) last = i;
        }
        const FlashFailure stretch{kind, frameMs(firstMs, start, fps), frameMs(firstMs, last, fps), most};
        if (!found.empty() && stretch.fromMs <= found.back().toMs) {
            found.back().toMs = std::max(found.back().toMs, stretch.toMs);
            found.back().most = std::max(found.back().most, most);
        } else {
            found.push_back(stretch);
        }
    }
    return found;
}

// The failures of one measure: more than three flashes in a second, and two or three a second
// kept up for more than five seconds where that is not already the first kind.
void failuresOf(const std::vector<FrameTransitions>& frames, int fps, int firstMs, bool red,
                std::vector<FlashFailure>& failures)
{
    const std::vector<int> counts = perSecond(frames, fps, red);
    using Kind = FlashFailure::Kind;
    const Kind kind = red ? Kind::Red : Kind::Luminance;
    const std::vector<FlashFailure> general =
        stretches(frames, counts, fps, firstMs, red, flashRules::kMostTransitions + 1, kind);
    failures.insert(failures.end(), general.begin(), general.end());
    for (const FlashFailure& kept : stretches(frames, counts, fps, firstMs, red, flashRules::kSustainedTransitions,
                                              red ? Kind::ExtendedRed : Kind::ExtendedLuminance)) {
        if (kept.toMs - kept.fromMs <= flashRules::kLongestSustainedMs) continue;
        const bool covered = std::any_of(general.begin(), general.end(), [&](const FlashFailure& g) {
            return g.fromMs <= kept.fromMs && kept.toMs <= g.toMs;
        });
        if (!covered) failures.push_back(kept);
    }
}

}  // namespace

TransitionDetector::TransitionDetector(int width, int height, int fps)
    : width_(width),
      height_(height),
      columns_(std::min(width, kCellColumns)),
      rows_(std::min(height, kCellRows)),
      cells_(columns_ * rows_),
      cellOfColumn_(width),
      cellOfRow_(height),
      pixelsOfCell_(cells_),
      sums_(cells_ * 3),
      stretch_(std::max(1, fps * flashRules::kExtremesKeptMs / 1000))
{
    for (int x = 0; x < width; ++x) cellOfColumn_[x] = x * columns_ / width;
    for (int y = 0; y < height; ++y) cellOfRow_[y] = y * rows_ / height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) ++pixelsOfCell_[cellOfRow_[y] * columns_ + cellOfColumn_[x]];
    for (Measure* m : {&luminance_, &red_}) {
        m->value.resize(cells_);
        m->saturated.resize(cells_);
    }
}

void TransitionDetector::restart(Measure& m)
{
    m.framesInStretch = 0;
    m.now = {m.value, m.value, m.saturated, m.saturated, std::vector<uint8_t>(m.value.size())};
    m.before = m.now;
}

FrameTransitions TransitionDetector::add(const uint8_t* rgba)
{
    std::fill(sums_.begin(), sums_.end(), 0.0f);
    for (int y = 0; y < height_; ++y) {
        float* row = &sums_[cellOfRow_[y] * columns_ * 3];
        const uint8_t* pixel = rgba + static_cast<size_t>(y) * width_ * 4;
        for (int x = 0; x < width_; ++x, pixel += 4) {
            float* cell = row + cellOfColumn_[x] * 3;
            cell[0] += kLinear[pixel[0]];
            cell[1] += kLinear[pixel[1]];
            cell[2] += kLinear[pixel[2]];
        }
    }
    for (int c = 0; c < cells_; ++c) {
        const float n = static_cast<float>(pixelsOfCell_[c]);
        const float r = sums_[3 * c] / n, g = sums_[3 * c + 1] / n, b = sums_[3 * c + 2] / n;
        luminance_.value[c] = 0.2126f * r + 0.7152f * g + 0.0722f * b;
        red_.value[c] = std::max(0.0f, (r - g - b) * 320.0f);
        const float sum = r + g + b;
        red_.saturated[c] = sum > 0 && r >= flashRules::kSaturatedRed * sum;
    }
    if (first_) {
        first_ = false;
        restart(luminance_);
        restart(red_);
        return {};
    }
    FrameTransitions found;
    found.luminance = step(luminance_, false);
    found.red = step(red_, true);
    return found;
}

bool TransitionDetector::step(Measure& m, bool red)
{
    int64_t up = 0, down = 0;
    Extremes& now = m.now;
    const Extremes& before = m.before;
    for (int p = 0; p < cells_; ++p) {
        const float v = m.value[p];
        const bool lowNow = now.lowest[p] <= before.lowest[p], highNow = now.highest[p] >= before.highest[p];
        const float lowest = lowNow ? now.lowest[p] : before.lowest[p];
        const float highest = highNow ? now.highest[p] : before.highest[p];
        const float rise = v - lowest, fall = highest - v;
        bool rises, falls;
        if (red) {
            const bool lowSaturated = lowNow ? now.lowestSaturated[p] : before.lowestSaturated[p];
            const bool highSaturated = highNow ? now.highestSaturated[p] : before.highestSaturated[p];
            rises = rise > flashRules::kRedChange && (lowSaturated || m.saturated[p]);
            falls = fall > flashRules::kRedChange && (highSaturated || m.saturated[p]);
        } else {
            rises = rise >= flashRules::kLuminanceChange && lowest < flashRules::kDarkerBelow;
            falls = fall >= flashRules::kLuminanceChange && v < flashRules::kDarkerBelow;
        }
        // Far from both extremes: the cell goes the way away from the later one.
        if (rises && falls) {
            const bool highestLater = lowNow == highNow ? (lowNow ? now : before).highestLater[p] : highNow;
            (highestLater ? rises : falls) = false;
        }
        up += rises;
        down += falls;
        if (v < now.lowest[p]) {
            now.lowest[p] = v;
            now.lowestSaturated[p] = m.saturated[p];
            now.highestLater[p] = 0;
        }
        if (v > now.highest[p]) {
            now.highest[p] = v;
            now.highestSaturated[p] = m.saturated[p];
            now.highestLater[p] = 1;
        }
    }
    // A quarter of the picture more going one way than the other: moving pictures, where as
    // much goes dark as goes bright, do not flash. The same way as the last turn is the same
    // transition going on.
    Turn turn = Turn::None;
    if ((up - down) * 4 >= cells_ && m.last != Turn::Up) turn = Turn::Up;
    if ((down - up) * 4 >= cells_ && m.last != Turn::Down) turn = Turn::Down;
    if (turn != Turn::None) {
        // The picture turned: from here each pixel's extremes start again.
        m.last = turn;
        restart(m);
        return true;
    }
    // Extremes older than two stretches are forgotten.
    if (++m.framesInStretch >= stretch_) {
        m.framesInStretch = 0;
        std::swap(m.before, m.now);
        m.now = {m.value, m.value, m.saturated, m.saturated, std::vector<uint8_t>(m.value.size())};
    }
    return false;
}

const char* verdictName(FlashVerdict verdict)
{
    switch (verdict) {
    case FlashVerdict::Pass:
        return "pass";
    case FlashVerdict::Warning:
        return "warning";
    case FlashVerdict::Fail:
        return "fail";
    case FlashVerdict::Extended:
        return "extended";
    }
    return "";
}

const char* kindName(FlashFailure::Kind kind)
{
    switch (kind) {
    case FlashFailure::Kind::Luminance:
        return "luminance flashes";
    case FlashFailure::Kind::Red:
        return "red flashes";
    case FlashFailure::Kind::ExtendedLuminance:
        return "luminance flashes kept up";
    case FlashFailure::Kind::ExtendedRed:
        return "red flashes kept up";
    }
    return "";
}

FlashJudgement judgeFlashes(const std::vector<FrameTransitions>& frames, int fps, int firstMs)
{
    FlashJudgement judgement;
    if (frames.empty()) return judgement;
    failuresOf(frames, fps, firstMs, false, judgement.failures);
    failuresOf(frames, fps, firstMs, true, judgement.failures);
    std::stable_sort(judgement.failures.begin(), judgement.failures.end(),
                     [](const FlashFailure& a, const FlashFailure& b) { return a.fromMs < b.fromMs; });

    const std::vector<int> luminance = perSecond(frames, fps, false), red = perSecond(frames, fps, true);
    const int lastMs = frameMs(firstMs, frames.size() - 1, fps);
    size_t i = 0;
    for (int end = (frameMs(firstMs, 0, fps) / 1000 + 1) * 1000; end - 1000 < lastMs; end += 1000) {
        FlashSecond second;
        second.endMs = end;
        for (; i < frames.size() && frameMs(firstMs, i, fps) <= end; ++i) {
            second.luminance = luminance[i];
            second.red = red[i];
            second.mostLuminance = std::max(second.mostLuminance, luminance[i]);
            second.mostRed = std::max(second.mostRed, red[i]);
        }
        const int most = std::max(second.mostLuminance, second.mostRed);
        const bool kept = std::any_of(judgement.failures.begin(), judgement.failures.end(), [&](const FlashFailure& f) {
            const bool extended = f.kind == FlashFailure::Kind::ExtendedLuminance ||
                                  f.kind == FlashFailure::Kind::ExtendedRed;
            return extended && f.fromMs <= end && end - 1000 < f.toMs;
        });
        second.verdict = most > flashRules::kMostTransitions         ? FlashVerdict::Fail
                         : kept                                       ? FlashVerdict::Extended
                         : most >= flashRules::kSustainedTransitions ? FlashVerdict::Warning
                                                                      : FlashVerdict::Pass;
        judgement.mostLuminance = std::max(judgement.mostLuminance, second.mostLuminance);
        judgement.mostRed = std::max(judgement.mostRed, second.mostRed);
        judgement.seconds.push_back(second);
    }
    return judgement;
}
