#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include "audio/AudioOutput.h"
#include "audio/CalmBeat.h"
#include "audio/HeardPosition.h"
#include "audio/FrequencyAnalysis.h"
#include "audio/Track.h"
#include "core/Result.h"

class VorbisDecoder;

// The intro's music: one track, decoded into memory and started at the end of loading,
// played once to its end; and the stepped spectrum level two scenes beat with.
struct MusicPlayer {
    uint8_t playing = 0;        // 1 once a track has been loaded: its level is heard

    MusicPlayer();
    ~MusicPlayer();

    // Opens the sound device (at start-up, before the setup dialog). Without one the intro
    // runs silent; why is said once on stderr.
    void openOutput();
    // No device: the capture tool's playback, in which the heard position is the demo time
    // given to setVirtualTime.
    void useVirtualOutput();
    void setVirtualTime(double seconds);

    // How the rest of the track is decoded after its start: on a thread of its own, or in
    // slices that the caller asks for between frames (decodeAhead), where there are no threads.
    enum class Decoding { Behind, InSlices };

    // Whether a track can be heard: a sound device is open, or the virtual output is used.
    bool hasOutput() const { return virtual_ || output_.isOpen(); }
    // Decodes the start of the file and goes on decoding the rest as asked; fails, saying why,
    // without an output or when the file cannot be played (a bad file closes the sound device:
    // the intro then runs silent). Until it is started the heard position is the one set by
    // setVirtualTime.
    Status load(const char* path, Decoding decoding = Decoding::Behind);
    // Decoding in slices: decodes one slice a call until the whole track is decoded (what a
    // moment needs before then is decoded when it is asked for). Cheap once the track is decoded.
    void decodeAhead();
    // Holds the sound device (true) or lets it play on; what is heard holds with it.
    void pause(bool held);
    // Starts the sound device at the given frame of the loaded track (after `load`), also
    // again from the start for another pass; the heard position is that frame.
    void play(int64_t fromFrame);
    // load, then play from the start.
    Status playFile(const char* path);
    // Stops and frees the music and closes the sound device.
    void release();

    // 0, 6, 12 or 18 from the spectrum of what is being heard; -1 when nothing plays.
    int32_t spectrumLevel();
    // The same beat drawn calmer (see CalmBeat), 0 to 18; -1 when nothing plays.
    float calmLevel();
    // Both at a given frame of the track instead of the one heard, whatever is heard meanwhile
    // (the frames run without being shown); waits until that frame is decoded.
    int32_t spectrumLevelAt(int64_t frame);
    float calmLevelAt(int64_t frame);
    // The frame of the track being heard now.
    int64_t heardFrame();
    // The sound device, in a line for people ("none" without one).
    std::string describeOutput() const { return output_.describe(); }
    // Whether a sound device plays the track (after `play`).
    bool audible() const { return started_; }
    // The decoded music, or null when none plays; the capture tool puts it into videos.
    std::shared_ptr<const Track> track() const { return track_; }

private:
    void stopDecoding();
    // Until the first `frames` frames are decoded or the file is done: waits for the decoding
    // thread, or decodes them here.
    void awaitDecoded(int64_t frames);
    // The decoder has stopped: the track is complete and its problems are said.
    void decodingDone();

    bool virtual_ = false;
    bool started_ = false;  // the device plays the track
    AudioOutput output_;
    std::shared_ptr<Track> track_;
    std::unique_ptr<VorbisDecoder> decoder_;
    std::string path_;
    std::thread decoding_;  // none when decoding in slices
    std::atomic<bool> stop_{false};
    HeardPosition heard_;
    Spectrum spectrum_;
    int64_t spectrumBlock_ = -1;  // the block the spectrum was last computed for
    CalmBeat calm_;
};
