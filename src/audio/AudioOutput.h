#pragma once

#include <SDL.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "audio/Track.h"

// The sound device: 44100 Hz stereo float through SDL, playing one Track from its start.
class AudioOutput {
public:
    ~AudioOutput();

    // Opens the default device; on failure says why in error and stays closed.
    bool open(std::string& error);
    bool isOpen() const { return device_ != 0; }
    // Starts playing the track from its first frame.
    void play(std::shared_ptr<Track> track);
    // Stops the sound and closes the device.
    void close();

    // Frames handed to the device so far, and when the last hand-over happened.
    int64_t handedFrames() const { return handed_.load(std::memory_order_acquire); }
    double secondsSinceHandover() const;
    // Frames that wait in the device's buffer before they are heard.
    int64_t latencyFrames() const { return latency_; }

private:
    static void fill(void* self, Uint8* stream, int bytes);

    SDL_AudioDeviceID device_ = 0;
    int64_t latency_ = 0;
    std::shared_ptr<Track> track_;
    std::atomic<int64_t> handed_{0};
    std::atomic<uint64_t> handoverCounter_{0};
};
