#pragma once

#include <vector>

#include "Instruments.h"

// The integrated loudness of interleaved stereo samples at 44100 Hz, in LUFS (ITU-R
// BS.1770: K-weighting, 400 ms blocks, absolute and relative gates).
double integratedLoudness(const std::vector<float>& interleaved);

// Finishes the mix: the echo, a high-pass against any offset, the fade-out, loudness
// brought to `targetLufs`, and a limiter that keeps every sample at or below `ceilingDb`.
// Returns interleaved stereo.
std::vector<float> master(Mix& mix, double fadeStart, double fadeEnd, double targetLufs, double ceilingDb);
