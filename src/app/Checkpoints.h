#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/IntroState.h"

// Copies of the intro's state at frames of a frame grid, from which any moment is reached by
// running the few frames between the nearest one and it. Each is kept compact: an emitter's
// dead particles are never read again before they are spawned anew, which writes every field,
// so only the live ones are kept, with their places in the pool.
class Checkpoints {
public:
    // The memory they may take, in bytes; past it every second one is let go.
    static constexpr size_t kMaxBytes = size_t{64} << 20;

    // Keeps the state before grid frame `frame` (after frames 0 to frame − 1), a frame past
    // every one kept since the last clear.
    void add(int32_t frame, const IntroState& state);
    // Forgets them all.
    void clear();
    // The kept frame nearest at or below `frame`, its state written into `out`; -1 when none is.
    int32_t restoreAtOrBelow(int32_t frame, IntroState& out) const;
    // The last frame kept, -1 when none is.
    int32_t last() const { return kept_.empty() ? -1 : kept_.back().frame; }
    size_t count() const { return kept_.size(); }
    size_t bytes() const { return bytes_; }

private:
    struct Kept {
        int32_t frame = 0;
        IntroState shell;  // every emitter's pool empty
        std::vector<uint32_t> poolSizes;   // per emitter
        std::vector<uint32_t> liveCounts;  // per emitter
        std::vector<uint32_t> places;      // of the live particles, per emitter in turn
        std::vector<Particle> live;
        size_t bytes() const;
    };
    // Lets every second one go but the first, until they fit.
    void thin();

    std::vector<Kept> kept_;
    size_t bytes_ = 0;
};
