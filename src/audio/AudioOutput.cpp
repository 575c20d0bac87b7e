#include "audio/AudioOutput.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

AudioOutput::~AudioOutput() { close(); }

bool AudioOutput::open(std::string& error)
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        error = SDL_GetError();
        return false;
    }
    const char* first = SDL_GetCurrentAudioDriver();
    error = std::string(first ? first : "?") + ": ";
    if (openDevice(error)) return true;
    // A driver can start without a device to open (WASAPI under Wine has none): SDL's other
    // drivers then, in its order, but not its file writer or its silent one.
    if (!SDL_getenv("SDL_AUDIODRIVER")) {
        const std::string tried = first ? first : "";
        for (int i = 0; i < SDL_GetNumAudioDrivers(); ++i) {
            const std::string name = SDL_GetAudioDriver(i);
            if (name == tried || name == "disk" || name == "dummy") continue;
            error += "; " + name + ": ";
            if (SDL_AudioInit(name.c_str()) != 0) {
                error += SDL_GetError();
                continue;
            }
            if (openDevice(error)) return true;
        }
    }
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
}

bool AudioOutput::openDevice(std::string& error)
{
    SDL_AudioSpec want{};
    want.freq = Track::kRate;
    want.format = AUDIO_F32SYS;
    want.channels = Track::kChannels;
    want.samples = 1024;
    want.callback = &AudioOutput::fill;
    want.userdata = this;
    SDL_AudioSpec have{};
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device_ == 0) {
        error += SDL_GetError();
        return false;
    }
    // SDL does not say how much the device holds before it is heard; it sets devices up with two
    // periods, the one playing and the one just handed over.
    periodFrames_ = have.samples;
    latency_ = 2 * int64_t{have.samples};
    return true;
}

void AudioOutput::play(std::shared_ptr<Track> track, int64_t fromFrame)
{
    SDL_LockAudioDevice(device_);
    track_ = std::move(track);
    handed_.store(fromFrame, std::memory_order_release);
    handoverCounter_.store(SDL_GetPerformanceCounter(), std::memory_order_release);
    SDL_UnlockAudioDevice(device_);
    SDL_PauseAudioDevice(device_, 0);
}

std::string AudioOutput::describe() const
{
    if (device_ == 0) return "none";
    const char* driver = SDL_GetCurrentAudioDriver();
    char line[256];
    std::snprintf(line, sizeof line,
                  "the default device of the %s driver; periods of %d frames, about %.0f ms before a sample is heard",
                  driver ? driver : "an unknown driver", periodFrames_,
                  1000.0 * static_cast<double>(latency_) / Track::kRate);
    return line;
}

void AudioOutput::close()
{
    if (device_ == 0) return;
    SDL_CloseAudioDevice(device_);
    device_ = 0;
    track_.reset();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

double AudioOutput::secondsSinceHandover() const
{
    const uint64_t then = handoverCounter_.load(std::memory_order_acquire);
    return static_cast<double>(SDL_GetPerformanceCounter() - then) / static_cast<double>(SDL_GetPerformanceFrequency());
}

void AudioOutput::fill(void* self, Uint8* stream, int bytes)
{
    auto& output = *static_cast<AudioOutput*>(self);
    auto* out = reinterpret_cast<float*>(stream);
    const int64_t frames = bytes / static_cast<int>(sizeof(float) * Track::kChannels);
    const int64_t start = output.handed_.load(std::memory_order_relaxed);
    int64_t ready = 0;
    if (output.track_) {
        // Only what the decoder has finished; a part not yet decoded plays as silence.
        const int64_t decoded = output.track_->decodedFrames.load(std::memory_order_acquire);
        ready = std::clamp<int64_t>(decoded - start, 0, frames);
        if (ready > 0)
            std::memcpy(out, output.track_->samples.get() + start * Track::kChannels,
                        static_cast<size_t>(ready) * Track::kChannels * sizeof(float));
    }
    std::memset(out + ready * Track::kChannels, 0, static_cast<size_t>(frames - ready) * Track::kChannels * sizeof(float));
    output.handed_.store(start + frames, std::memory_order_release);
    output.handoverCounter_.store(SDL_GetPerformanceCounter(), std::memory_order_release);
}
