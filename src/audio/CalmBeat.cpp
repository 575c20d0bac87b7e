#include "audio/CalmBeat.h"


namespace {

// The pulse: a mean of the last kPulseBlocks steps (about 90 ms) weighted by a parabola that is
// 0 at both ends, so a hit rises and falls over a few frames instead of jumping. (No sines: the
// weights are the same bits with every C library.)
constexpr int kPulseBlocks = 16;
// The share of the pulse's swing around the mean of the last second that is drawn: at most a
// third of a flash, by the flash rules, where the stepped level flashed many times a second.
constexpr float kSwing = 0.4f;

constexpr std::array<float, kPulseBlocks> kPulseWeights = [] {
    std::array<float, kPulseBlocks> w{};
    float sum = 0;
    for (int i = 0; i < kPulseBlocks; ++i) sum += w[i] = (i + 0.5f) * (kPulseBlocks - i - 0.5f);
    for (float& v : w) v /= sum;
    return w;
}();

}  // namespace

float calmLevelFromSteps(const CalmSteps& steps)
{
    float pulse = 0, mean = 0;
    for (int i = 0; i < kPulseBlocks; ++i) pulse += kPulseWeights[i] * steps[i];
    for (const int8_t step : steps) mean += step;
    mean /= kCalmBlocks;
    return mean + kSwing * (pulse - mean);
}

int8_t CalmBeat::step(const Track& track, int64_t b)
{
    if (b < 0) return 0;
    if (static_cast<size_t>(b) < steps_.size() && steps_[b] >= 0) return steps_[b];
    spectrum_.compute(track, b * kBlock);
    const auto level = static_cast<int8_t>(levelFromMagnitude(spectrum_.magnitudes[128]));
    // Kept only once what it reads is decoded: before, it reads silence.
    if (track.complete.load() || track.decodedFrames.load() >= b * kBlock) {
        if (static_cast<size_t>(b) >= steps_.size()) steps_.resize(b + 1, -1);
        steps_[b] = level;
    }
    return level;
}

float CalmBeat::level(const Track& track, int64_t heard)
{
    const int64_t last = heard / kBlock;
    if (last == lastBlock_) return lastLevel_;
    CalmSteps steps{};
    for (int i = 0; i < kCalmBlocks; ++i) steps[i] = step(track, last - i);
    const float level = calmLevelFromSteps(steps);
    if (static_cast<size_t>(last) < steps_.size() && steps_[last] >= 0) {
        lastBlock_ = last;
        lastLevel_ = level;
    }
    return level;
}
