#include "audio/FrequencyAnalysis.h"

#include <kiss_fftr.h>

#include <algorithm>
#include <cmath>

Spectrum::Spectrum() : config_(kiss_fftr_alloc(kSize, 0, nullptr, nullptr))
{
    for (int n = 0; n < kSize; ++n)
        window_[n] = static_cast<float>(0.5 - 0.5 * std::cos(2.0 * M_PI * n / kSize));
}

Spectrum::~Spectrum() { kiss_fftr_free(config_); }

void Spectrum::compute(const Track& track, int64_t heard)
{
    float mono[kSize];
    for (int n = 0; n < kSize; ++n) mono[n] = track.mono(heard - kSize + n);
    compute(mono);
}

void Spectrum::compute(const float* mono)
{
    float windowed[kSize];
    for (int n = 0; n < kSize; ++n) windowed[n] = mono[n] * window_[n];
    kiss_fft_cpx bins[kBins + 1];
    kiss_fftr(config_, windowed, bins);
    for (int k = 0; k < kBins; ++k)
        magnitudes[k] = std::sqrt(bins[k].r * bins[k].r + bins[k].i * bins[k].i) * kMagnitudeScale;
}

int32_t levelFromMagnitude(float magnitude)
{
    int k = static_cast<int>(std::sqrt(magnitude) * 10.0f * 5.0f);
    if (k >= 6) k = 0;  // a loud bin gives no level at all
    const float m = std::clamp(static_cast<float>(k), 0.0f, 3.0f);
    constexpr float w = 6.2831850f;
    return static_cast<int32_t>(m * w);
}
