#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "audio/FrequencyAnalysis.h"
#include "audio/Track.h"

// The beat drawn calmer ("Fewer flashes"). The stepped level (0, 6, 12 or 18) jumps from one
// frame to the next, and the two scenes that beat with it then flicker over the whole picture
// many times a second. The calm level is made of the same steps, those of the spectrum blocks
// heard before a moment: a short smooth mean of them (a pulse rising and falling over a few
// frames at each hit) kept to a fraction of its swing around their mean over the last second.
// It is a function of the music at the moment alone, not of the frames drawn before, so it is
// the same at every frame rate and after any jump in time.
class CalmBeat {
public:
    // The stepped level is taken once per block of this many frames of the track (5.8 ms).
    static constexpr int64_t kBlock = 256;

    // The calm level, 0 to 18, at frame `heard` of the track.
    float level(const Track& track, int64_t heard);

private:
    // The stepped level of block b (the spectrum of the samples ending at its first frame),
    // kept once the samples it reads are decoded.
    int8_t step(const Track& track, int64_t b);

    Spectrum spectrum_;
    std::vector<int8_t> steps_;  // by block; -1 where not yet known
    // The scenes ask many times a frame, mostly within one block: its level, once all that it
    // reads is decoded.
    int64_t lastBlock_ = -1;
    float lastLevel_ = 0;
};

// How many blocks the calm level reads: the moment's own and those before it, one second.
inline constexpr int kCalmBlocks = 172;
// The stepped levels of those blocks, the moment's first (those before the track's start are 0).
using CalmSteps = std::array<int8_t, kCalmBlocks>;

// The calm level from the stepped levels of the blocks up to the moment's.
float calmLevelFromSteps(const CalmSteps& steps);
