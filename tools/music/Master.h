#pragma once

#include <vector>

#include "Instruments.h"

// The integrated loudness of interleaved stereo samples at 44100 Hz, in LUFS (ITU-R
// BS.1770: K-weighting, 400 ms blocks, absolute and relative gates).
double integratedLoudness(const std::vector<float>& interleaved);

// Readies a mix (the whole track's or one stem's) for mastering: its echo return added, a
// high-pass against any offset, and the fade-out from `fadeStart` to `fadeEnd` seconds.
// All of it is linear, so finished stems sum to the finished whole. Returns interleaved stereo.
std::vector<float> finish(Mix& mix, double fadeStart, double fadeEnd);

// Brings every sample of interleaved stereo to at or below `ceilingDb` dBFS, with a gain that
// falls just ahead of a peak and recovers slowly, the same for both channels.
void limit(std::vector<float>& interleaved, double ceilingDb);
