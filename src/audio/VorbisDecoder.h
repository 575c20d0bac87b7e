#pragma once

#include <SDL.h>
#include <ogg/ogg.h>
#include <vorbis/codec.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "audio/Track.h"
#include "core/Result.h"

// Decodes an Ogg Vorbis file into a Track at 44100 Hz stereo, converting other rates and
// channel counts. It reads the pages itself so that it knows where every page's audio
// belongs: after damaged data, what follows is put back at its own time (the pages' granule
// positions say where), with silence in the gap. The problems met are collected for one report.
class VorbisDecoder {
public:
    VorbisDecoder() = default;
    ~VorbisDecoder();
    VorbisDecoder(const VorbisDecoder&) = delete;
    VorbisDecoder& operator=(const VorbisDecoder&) = delete;

    // Reads the file and its headers; on failure says why. On success `track` has room for
    // the whole piece and nothing decoded yet.
    Status open(const std::string& path);
    // The same for a file's bytes in memory, named `name` in messages; the bytes must stay
    // until the decoder is done.
    Status openBytes(const void* data, size_t size, const std::string& name);
    // Decodes at least `frames` more frames into the track, unless the file ends first;
    // false once the file is done.
    bool decode(int64_t frames);

    std::shared_ptr<Track> track;
    // What went wrong on the way (damaged pages, an early end), or empty.
    std::string problems;

    // The longest piece a track makes room for, in seconds (the intro's music lasts 206 s).
    static constexpr int kMaxSeconds = 600;

private:
    enum class Read { Page, End };
    Read nextPage();
    Status start(const std::string& name);
    Status readHeaders();
    int64_t lastGranule();
    void pageDone();
    void output(const float* const* pcm, int64_t frames);
    void emit(const float* interleaved, int64_t frames);
    void append(const float* interleaved, int64_t frames);
    void finish();
    void note(const std::string& problem);

    // The file's bytes: read whole (the intro's music takes a few megabytes), or the caller's.
    std::vector<uint8_t> owned_;
    const uint8_t* bytes_ = nullptr;
    size_t size_ = 0;
    size_t read_ = 0;  // how many of them the pages have taken
    ogg_sync_state sync_{};
    ogg_stream_state stream_{};
    ogg_page page_{};
    vorbis_info info_{};
    vorbis_comment comment_{};
    vorbis_dsp_state dsp_{};
    vorbis_block block_{};
    bool streamReady_ = false;
    bool synthesisReady_ = false;

    int channels_ = 0;
    long rate_ = 0;
    SDL_AudioStream* converter_ = nullptr;  // when the file is not 44100 Hz stereo
    int64_t emitted_ = 0;                   // source frames handed on so far, silence included
    int64_t sourceCapacity_ = 0;            // source frames the track has room for
    int64_t produced_ = 0;                  // track frames produced by the current decode call
    int64_t pageGranule_ = -1;              // granule position of the page being decoded
    bool pageEnds_ = false;                 // that page is the last of the stream
    bool sawEnd_ = false;
    // After a hole: where it began, and the audio decoded since, held back until a page
    // tells where it belongs.
    bool inHole_ = false;
    int64_t holeAt_ = 0;
    std::vector<float> heldBack_;
    bool finished_ = false;
};
