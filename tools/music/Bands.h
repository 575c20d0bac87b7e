#pragma once

#include <array>
#include <cstddef>

// How the power of a mono signal at 44100 Hz divides among octave bands: consecutive
// (non-overlapping) 4096-sample frames, each Hann-windowed, power = squared FFT magnitude,
// summed over the frames. This is the tonal balance the mix is tuned by.
inline constexpr int kBandCount = 10;

struct Band {
    double low, high;  // Hz; a bin at frequency f belongs to the band when low <= f < high
    const char* label;
};
// 31-63 Hz up to 8-16 kHz in octaves, then 16 kHz to the Nyquist frequency (which it includes).
extern const std::array<Band, kBandCount> kBands;

struct BandPowers {
    std::array<double, kBandCount> band{};
    double total = 0;  // every bin, DC and below 31 Hz included

    double mids() const { return band[4] + band[5]; }   // 500 Hz to 2 kHz: chords, arpeggio, lead
    double highs() const { return band[7] + band[8]; }  // 4 to 16 kHz: hats and cymbals
};

// The stretches the mix is tuned by: 20 s each, from the build-up to the closing.
inline constexpr double kWindowSeconds = 20;
inline constexpr std::array<double, 7> kWindowStarts = {18, 38, 58, 78, 98, 118, 138};

// The band powers of the frames that lie within [fromSeconds, toSeconds) of `mono`, the
// first frame starting at fromSeconds; frames past `frames` are not counted.
BandPowers bandPowers(const float* mono, size_t frames, double fromSeconds, double toSeconds);

// Power as a share of `reference` in dB; -inf for no power at all.
double shareDb(double power, double reference);
