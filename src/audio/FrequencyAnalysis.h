#pragma once

#include <cstdint>

#include "audio/Track.h"

struct kiss_fftr_state;

// The magnitude spectrum of what is being heard: the 1024 mono samples (mean of both
// channels) that end at the heard position, Hann windowed, as 512 bins; bin k lies at
// k / 1024 of the sample rate.
class Spectrum {
public:
    static constexpr int kSize = 1024;
    static constexpr int kBins = kSize / 2;
    // Magnitudes are divided by the transform size, so a full-scale sine centred on a bin
    // reads 0.25: amplitude 1, half of it in the positive bin, halved again by the Hann
    // window's mean of 0.5. The level thresholds of the scenes are set on this scale.
    static constexpr float kMagnitudeScale = 1.0f / kSize;

    Spectrum();
    ~Spectrum();
    Spectrum(const Spectrum&) = delete;
    Spectrum& operator=(const Spectrum&) = delete;

    // Computes the spectrum of the samples ending at frame `heard` (silence before the
    // start and past what is decoded).
    void compute(const Track& track, int64_t heard);
    // Computes the spectrum of kSize mono samples.
    void compute(const float* mono);

    float magnitudes[kBins] = {};

private:
    kiss_fftr_state* config_;
    float window_[kSize];
};

// The stepped level the scenes beat with, from the magnitude of bin 128: 0 below 0.0004,
// then 6, 12 and 18 as the magnitude grows, and 0 again from 0.0144 on.
int32_t levelFromMagnitude(float magnitude);
