#pragma once

#include <algorithm>
#include <cstdint>

// Which frame of the music is being heard now, from what the output has been handed: the
// frames handed over, less those still waiting in the device (its latency), advanced by the
// time since the last hand-over, never past what was handed and never backwards.
class HeardPosition {
public:
    int64_t update(int64_t handedFrames, int64_t latencyFrames, double secondsSinceHandover, int rate)
    {
        const int64_t estimate =
            handedFrames - latencyFrames + static_cast<int64_t>(secondsSinceHandover * rate);
        last_ = std::max(last_, std::min(estimate, handedFrames));
        return last_;
    }
    // The position set from outside (the capture tool's virtual time); it still never goes back.
    int64_t set(int64_t frames)
    {
        last_ = std::max(last_, frames);
        return last_;
    }
    int64_t current() const { return last_; }

private:
    int64_t last_ = 0;
};
