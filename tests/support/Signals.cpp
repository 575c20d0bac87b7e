#include "Signals.h"

#include <cmath>

std::vector<float> sine(double frequency, double amplitude, double seconds, int channels, int rate)
{
    const long frames = std::lround(seconds * rate);
    std::vector<float> samples(static_cast<size_t>(frames * channels));
    for (long i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            samples[static_cast<size_t>(i * channels + c)] =
                static_cast<float>(amplitude * std::sin(2 * M_PI * frequency * i / rate));
    return samples;
}
