#include "Bands.h"

#include <kiss_fftr.h>

#include <cmath>
#include <memory>
#include <vector>

const std::array<Band, kBandCount> kBands = {{
    {31.25, 62.5, "31-63"},
    {62.5, 125, "63-125"},
    {125, 250, "125-250"},
    {250, 500, "250-500"},
    {500, 1000, "500-1k"},
    {1000, 2000, "1k-2k"},
    {2000, 4000, "2k-4k"},
    {4000, 8000, "4k-8k"},
    {8000, 16000, "8k-16k"},
    {16000, 22051, "16k-22k"},
}};

namespace {
constexpr int kRate = 44100;
constexpr int kFrame = 4096;
}  // namespace

BandPowers bandPowers(const float* mono, size_t frames, double fromSeconds, double toSeconds)
{
    const std::unique_ptr<kiss_fftr_state, decltype(&kiss_fftr_free)> fft(kiss_fftr_alloc(kFrame, 0, nullptr, nullptr),
                                                                          &kiss_fftr_free);
    std::vector<float> window(kFrame), windowed(kFrame);
    for (int n = 0; n < kFrame; ++n) window[n] = static_cast<float>(0.5 - 0.5 * std::cos(2.0 * M_PI * n / kFrame));
    std::vector<int> bandOfBin(kFrame / 2 + 1, -1);
    for (int k = 0; k <= kFrame / 2; ++k) {
        const double hz = static_cast<double>(k) * kRate / kFrame;
        for (int b = 0; b < kBandCount; ++b)
            if (hz >= kBands[b].low && hz < kBands[b].high) bandOfBin[k] = b;
    }

    BandPowers powers;
    std::vector<kiss_fft_cpx> bins(kFrame / 2 + 1);
    const size_t end = std::min(frames, static_cast<size_t>(std::lround(toSeconds * kRate)));
    for (size_t start = static_cast<size_t>(std::lround(fromSeconds * kRate)); start + kFrame <= end; start += kFrame) {
        for (int n = 0; n < kFrame; ++n) windowed[n] = mono[start + n] * window[n];
        kiss_fftr(fft.get(), windowed.data(), bins.data());
        for (int k = 0; k <= kFrame / 2; ++k) {
            const double power = static_cast<double>(bins[k].r) * bins[k].r + static_cast<double>(bins[k].i) * bins[k].i;
            powers.total += power;
            if (bandOfBin[k] >= 0) powers.band[bandOfBin[k]] += power;
        }
    }
    return powers;
}

double shareDb(double power, double reference) { return 10.0 * std::log10(power / reference); }
