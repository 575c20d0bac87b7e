#include "audio/MusicPlayer.h"

#include <cmath>
#include <cstdio>

#include "audio/VorbisDecoder.h"

namespace {
// The spectrum is computed once per block of this many frames (5.8 ms) and reused in
// between: the scenes ask for the level many times per frame.
constexpr int64_t kSpectrumBlock = 256;
// Decoded before playback starts; the rest is decoded behind it, much faster than it plays.
constexpr int64_t kDecodedAhead = 2 * Track::kRate;
// Decoding in slices: one slice (a quarter of a second of music, a few milliseconds of work)
// per call until the whole track is decoded, so that a seek finds its moment decoded.
constexpr int64_t kSlice = Track::kRate / 4;
}  // namespace

MusicPlayer::MusicPlayer() = default;

MusicPlayer::~MusicPlayer() { stopDecoding(); }

void MusicPlayer::openOutput()
{
    std::string error;
    if (!output_.open(error)) std::fprintf(stderr, "orvale-invit: no sound (%s); the intro runs silent\n", error.c_str());
}

void MusicPlayer::useVirtualOutput() { virtual_ = true; }

void MusicPlayer::setVirtualTime(double seconds)
{
    const int64_t frame = std::llround(seconds * Track::kRate);
    heard_.set(frame);
    // The decoder runs ahead of any capture; should it not have reached this moment yet,
    // the level must still come from the music, not from the silence after what is decoded.
    if (track_) awaitDecoded(frame);
}

Status MusicPlayer::load(const char* path, Decoding decoding)
{
    if (!hasOutput()) return Failure{"no sound device"};
    auto decoder = std::make_unique<VorbisDecoder>();
    if (const Status opened = decoder->open(path); !opened.ok()) {
        output_.close();
        return Failure{"no music: " + opened.message()};
    }
    // Playback may start as soon as this is decoded; the rest is decoded behind it, much
    // faster than it plays (the capture tool waits for the moments it asks for).
    decoder->decode(kDecodedAhead);
    track_ = decoder->track;
    decoder_ = std::move(decoder);
    path_ = path;
    playing = 1;
    if (decoding == Decoding::InSlices) return {};

    stop_ = false;
    decoding_ = std::thread([this] {
        while (!stop_ && decoder_->decode(Track::kRate)) {
        }
        decodingDone();
    });
    return {};
}

void MusicPlayer::decodingDone()
{
    track_->complete = true;
    if (!decoder_->problems.empty())
        std::fprintf(stderr, "orvale-invit: %s: %s\n", path_.c_str(), decoder_->problems.c_str());
}

void MusicPlayer::awaitDecoded(int64_t frames)
{
    if (decoding_.joinable()) {
        track_->waitFor(frames);
        return;
    }
    while (!track_->complete && track_->decodedFrames.load() < frames)
        if (!decoder_->decode(kSlice)) decodingDone();
}

void MusicPlayer::decodeAhead()
{
    if (!track_ || decoding_.joinable() || track_->complete) return;
    if (!decoder_->decode(kSlice)) decodingDone();
}

void MusicPlayer::pause(bool held)
{
    if (started_) output_.pause(held);
}

void MusicPlayer::play(int64_t fromFrame)
{
    // Heard from that frame on, also when the track is played again from an earlier one.
    heard_ = HeardPosition{};
    heard_.set(fromFrame);
    if (!track_ || virtual_) return;
    // A late start waits until its moment is decoded, so that it is not heard as silence.
    awaitDecoded(fromFrame + kDecodedAhead);
    output_.play(track_, fromFrame);
    started_ = true;
}

Status MusicPlayer::playFile(const char* path)
{
    if (Status loaded = load(path); !loaded.ok()) return loaded;
    play(0);
    return {};
}

void MusicPlayer::stopDecoding()
{
    stop_ = true;
    if (decoding_.joinable()) decoding_.join();
}

void MusicPlayer::release()
{
    stopDecoding();
    started_ = false;
    output_.close();
    decoder_.reset();
    track_.reset();
}

int64_t MusicPlayer::heardFrame()
{
    if (virtual_ || !started_) return heard_.current();
    return heard_.update(output_.handedFrames(), output_.latencyFrames(), output_.secondsSinceHandover(),
                         Track::kRate);
}

float MusicPlayer::calmLevel() { return calmLevelAt(heardFrame()); }

int32_t MusicPlayer::spectrumLevel() { return spectrumLevelAt(heardFrame()); }

float MusicPlayer::calmLevelAt(int64_t frame)
{
    if (!playing || !track_) return -1;
    awaitDecoded(frame);
    return calm_.level(*track_, frame);
}

int32_t MusicPlayer::spectrumLevelAt(int64_t frame)
{
    if (!playing || !track_) return -1;
    awaitDecoded(frame);
    const int64_t block = frame / kSpectrumBlock;
    if (block != spectrumBlock_) {
        spectrum_.compute(*track_, block * kSpectrumBlock);
        spectrumBlock_ = block;
    }
    return levelFromMagnitude(spectrum_.magnitudes[128]);
}
