#pragma once

#include <SDL.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "audio/Track.h"

// The sound device: 44100 Hz stereo float through SDL, playing one Track from a given frame.
class AudioOutput {
public:
    ~AudioOutput();

    // Opens the default device of SDL's first sound driver that has one (unless SDL_AUDIODRIVER
    // names the driver); on failure says why in error and stays closed.
    bool open(std::string& error);
    bool isOpen() const { return device_ != 0; }
    // Starts playing the track from the given frame.
    void play(std::shared_ptr<Track> track, int64_t fromFrame);
    // Holds the sound (true) or lets it play on from where it was held.
    void pause(bool held) { SDL_PauseAudioDevice(device_, held ? 1 : 0); }
    // Stops the sound and closes the device.
    void close();

    // The track's frames handed to the device so far (counted from the track's start), and
    // when the last hand-over happened.
    int64_t handedFrames() const { return handed_.load(std::memory_order_acquire); }
    double secondsSinceHandover() const;
    // Frames that wait in the device's buffer before they are heard.
    int64_t latencyFrames() const { return latency_; }
    // Which sound driver and device play, and their buffer, in a line for people.
    std::string describe() const;

private:
    static void fill(void* self, Uint8* stream, int bytes);
    // Opens the default device of the sound driver SDL has started.
    bool openDevice(std::string& error);

    SDL_AudioDeviceID device_ = 0;
    int64_t latency_ = 0;
    int periodFrames_ = 0;
    std::shared_ptr<Track> track_;
    std::atomic<int64_t> handed_{0};
    std::atomic<uint64_t> handoverCounter_{0};
};
