#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <thread>

// The music in memory: interleaved stereo float samples at 44100 Hz. A decoder fills it
// from the front while the audio output reads it; `decodedFrames` says how far it is valid.
struct Track {
    static constexpr int kRate = 44100;
    static constexpr int kChannels = 2;

    // Room for `frames` stereo frames; the size never changes afterwards, so a reader may
    // hold on to the data while the decoder writes further on. The room is not cleared (about
    // 74 MB for the intro's track, which the decoder fills anyway): only the first
    // `decodedFrames` frames may be read.
    explicit Track(int64_t frames)
        : samples(new float[static_cast<size_t>(frames) * kChannels]), capacityFrames(frames)
    {
    }

    std::unique_ptr<float[]> samples;
    int64_t capacityFrames;
    std::atomic<int64_t> decodedFrames{0};
    std::atomic<bool> complete{false};  // the decoder has stopped: nothing more will come

    // Waits until the first `frames` frames are decoded, or the decoder has stopped.
    void waitFor(int64_t frames) const
    {
        while (decodedFrames.load(std::memory_order_acquire) < frames && !complete.load(std::memory_order_acquire))
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }

    // The mean of both channels at frame i; silence outside what is decoded.
    float mono(int64_t i) const
    {
        if (i < 0 || i >= decodedFrames.load(std::memory_order_acquire)) return 0.0f;
        return 0.5f * (samples[static_cast<size_t>(i) * 2] + samples[static_cast<size_t>(i) * 2 + 1]);
    }
};
