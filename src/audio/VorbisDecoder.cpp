#include "audio/VorbisDecoder.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {
constexpr long kReadSize = 8192;
}  // namespace

VorbisDecoder::~VorbisDecoder()
{
    if (converter_) SDL_FreeAudioStream(converter_);
    if (synthesisReady_) {
        vorbis_block_clear(&block_);
        vorbis_dsp_clear(&dsp_);
    }
    if (streamReady_) ogg_stream_clear(&stream_);
    vorbis_comment_clear(&comment_);
    vorbis_info_clear(&info_);
    ogg_sync_clear(&sync_);
    if (file_) std::fclose(file_);
}

void VorbisDecoder::note(const std::string& problem)
{
    if (problems.find(problem) == std::string::npos) problems += (problems.empty() ? "" : "; ") + problem;
}

VorbisDecoder::Read VorbisDecoder::nextPage()
{
    for (;;) {
        const int result = ogg_sync_pageout(&sync_, &page_);
        if (result == 1) {
            if (streamReady_ && ogg_page_serialno(&page_) != stream_.serialno) continue;  // another stream
            return Read::Page;
        }
        if (result < 0) {
            note("damaged data in the middle, left as silence");
            continue;
        }
        char* buffer = ogg_sync_buffer(&sync_, kReadSize);
        const size_t got = std::fread(buffer, 1, kReadSize, file_);
        if (got == 0) return Read::End;
        ogg_sync_wrote(&sync_, static_cast<long>(got));
    }
}

bool VorbisDecoder::readHeaders(std::string& error)
{
    vorbis_info_init(&info_);
    vorbis_comment_init(&comment_);
    int headers = 0;
    while (headers < 3) {
        if (nextPage() == Read::End) {
            error = headers == 0 ? "is not an Ogg Vorbis file" : "ends inside its Vorbis headers";
            return false;
        }
        if (!streamReady_) {
            ogg_stream_init(&stream_, ogg_page_serialno(&page_));
            streamReady_ = true;
        }
        ogg_stream_pagein(&stream_, &page_);
        ogg_packet packet;
        while (headers < 3) {
            const int result = ogg_stream_packetout(&stream_, &packet);
            if (result == 0) break;
            if (result < 0 || vorbis_synthesis_headerin(&info_, &comment_, &packet) != 0) {
                error = headers == 0 ? "is not an Ogg Vorbis file" : "has a damaged Vorbis header";
                return false;
            }
            ++headers;
        }
    }
    return true;
}

int64_t VorbisDecoder::lastGranule()
{
    // The last page of the stream near the end of the file gives the piece's length.
    const long start = std::ftell(file_);
    std::fseek(file_, 0, SEEK_END);
    const long size = std::ftell(file_);
    std::fseek(file_, std::max(0L, size - 65536), SEEK_SET);
    ogg_sync_state tail;
    ogg_sync_init(&tail);
    char* buffer = ogg_sync_buffer(&tail, 65536);
    ogg_sync_wrote(&tail, static_cast<long>(std::fread(buffer, 1, 65536, file_)));
    int64_t granule = -1;
    ogg_page page;
    for (int result; (result = ogg_sync_pageout(&tail, &page)) != 0;)
        if (result > 0 && ogg_page_serialno(&page) == stream_.serialno && ogg_page_granulepos(&page) >= 0)
            granule = ogg_page_granulepos(&page);
    ogg_sync_clear(&tail);
    std::fseek(file_, start, SEEK_SET);
    return granule;
}

bool VorbisDecoder::open(const std::string& path, std::string& error)
{
    file_ = std::fopen(path.c_str(), "rb");
    if (!file_) {
        error = path + (errno == ENOENT ? " is missing" : std::string(" cannot be opened: ") + std::strerror(errno));
        return false;
    }
    return start(path, error);
}

bool VorbisDecoder::openBytes(const void* data, size_t size, const std::string& name, std::string& error)
{
    if (size == 0) {
        error = name + " is empty";
        return false;
    }
#ifdef _WIN32
    // No memory streams in this C library: a temporary file holds the bytes.
    file_ = std::tmpfile();
    if (file_ && (std::fwrite(data, 1, size, file_) != size || std::fseek(file_, 0, SEEK_SET) != 0)) {
        std::fclose(file_);
        file_ = nullptr;
    }
#else
    // A stream over the bytes (read only: fmemopen does not write to them in "rb" mode).
    file_ = fmemopen(const_cast<void*>(data), size, "rb");
#endif
    if (!file_) {
        error = name + " cannot be read: " + std::strerror(errno);
        return false;
    }
    return start(name, error);
}

bool VorbisDecoder::start(const std::string& name, std::string& error)
{
    ogg_sync_init(&sync_);
    if (!readHeaders(error)) {
        error = name + " " + error;
        return false;
    }
    channels_ = info_.channels;
    rate_ = info_.rate;
    if (channels_ < 1 || channels_ > 8 || rate_ < 1000 || rate_ > 384000) {
        error = name + " has " + std::to_string(channels_) + " channels at " + std::to_string(rate_) +
                " Hz, which this player cannot play";
        return false;
    }
    if (channels_ != Track::kChannels || rate_ != Track::kRate) {
        converter_ = SDL_NewAudioStream(AUDIO_F32SYS, static_cast<Uint8>(channels_), static_cast<int>(rate_),
                                        AUDIO_F32SYS, Track::kChannels, Track::kRate);
        if (!converter_) {
            error = name + " cannot be converted to 44100 Hz stereo: " + SDL_GetError();
            return false;
        }
    }
    vorbis_synthesis_init(&dsp_, &info_);
    vorbis_block_init(&dsp_, &block_);
    synthesisReady_ = true;

    // Room for the whole piece, plus a second for the converter's rounding, but never more
    // than kMaxSeconds: also what a file gets whose end does not say how long it is, or whose
    // damaged end claims an absurd length.
    const int64_t total = lastGranule();
    const bool known = total > 0 && total / rate_ < kMaxSeconds;
    const int64_t frames = known ? total * Track::kRate / rate_ + Track::kRate : int64_t{kMaxSeconds} * Track::kRate;
    track = std::make_shared<Track>(frames);
    // The source frames that fill it; silence for a gap is never made beyond them.
    sourceCapacity_ = frames * rate_ / Track::kRate + rate_;
    return true;
}

void VorbisDecoder::append(const float* interleaved, int64_t frames)
{
    const int64_t start = track->decodedFrames.load(std::memory_order_relaxed);
    const int64_t count = std::min(frames, track->capacityFrames - start);
    if (count <= 0) return;
    std::copy(interleaved, interleaved + count * Track::kChannels, track->samples.get() + start * Track::kChannels);
    track->decodedFrames.store(start + count, std::memory_order_release);
    produced_ += count;
}

void VorbisDecoder::emit(const float* interleaved, int64_t frames)
{
    emitted_ += frames;
    if (!converter_) {
        append(interleaved, frames);
        return;
    }
    SDL_AudioStreamPut(converter_, interleaved, static_cast<int>(frames * channels_ * sizeof(float)));
    std::vector<float> converted(static_cast<size_t>(SDL_AudioStreamAvailable(converter_)) / sizeof(float));
    const int bytes =
        SDL_AudioStreamGet(converter_, converted.data(), static_cast<int>(converted.size() * sizeof(float)));
    append(converted.data(), bytes / static_cast<int>(sizeof(float) * Track::kChannels));
}

void VorbisDecoder::output(const float* const* pcm, int64_t frames)
{
    std::vector<float> interleaved(static_cast<size_t>(frames * channels_));
    for (int64_t i = 0; i < frames; ++i)
        for (int c = 0; c < channels_; ++c) interleaved[static_cast<size_t>(i * channels_ + c)] = pcm[c][i];
    if (inHole_)
        heldBack_.insert(heldBack_.end(), interleaved.begin(), interleaved.end());
    else
        emit(interleaved.data(), frames);
}

// Called when every packet of the current page has been decoded.
void VorbisDecoder::pageDone()
{
    if (pageGranule_ < 0) return;
    if (inHole_) {
        // The page's granule position is where the audio decoded since the hole ends.
        const int64_t held = static_cast<int64_t>(heldBack_.size()) / channels_;
        const int64_t gap = std::max<int64_t>(0, std::min(pageGranule_ - held - holeAt_, sourceCapacity_ - emitted_));
        const std::vector<float> silence(static_cast<size_t>(std::min<int64_t>(gap, 10 * rate_) * channels_), 0.0f);
        for (int64_t left = gap; left > 0;) {
            const int64_t n = std::min<int64_t>(left, static_cast<int64_t>(silence.size()) / channels_);
            emit(silence.data(), n);
            left -= n;
        }
        emit(heldBack_.data(), held);
        heldBack_.clear();
        inHole_ = false;
    }
}

void VorbisDecoder::finish()
{
    finished_ = true;
    if (inHole_) {
        emit(heldBack_.data(), static_cast<int64_t>(heldBack_.size()) / channels_);
        heldBack_.clear();
        inHole_ = false;
    }
    if (converter_) {
        SDL_AudioStreamFlush(converter_);
        std::vector<float> rest(static_cast<size_t>(SDL_AudioStreamAvailable(converter_)) / sizeof(float));
        const int bytes = SDL_AudioStreamGet(converter_, rest.data(), static_cast<int>(rest.size() * sizeof(float)));
        append(rest.data(), bytes / static_cast<int>(sizeof(float) * Track::kChannels));
    }
    if (!sawEnd_) note("the file ends early");
}

bool VorbisDecoder::decode(int64_t frames)
{
    if (finished_) return false;
    produced_ = 0;
    while (produced_ < frames) {
        ogg_packet packet;
        const int result = ogg_stream_packetout(&stream_, &packet);
        if (result < 0) {
            // Pages are missing here: the decoder starts afresh, and what it decodes next
            // waits until a page says where it belongs.
            note("damaged data in the middle, left as silence");
            vorbis_synthesis_restart(&dsp_);
            if (!inHole_) {
                inHole_ = true;
                holeAt_ = emitted_;
            }
            continue;
        }
        if (result == 0) {
            pageDone();
            if (pageEnds_ || nextPage() == Read::End) {
                finish();
                break;
            }
            ogg_stream_pagein(&stream_, &page_);
            pageGranule_ = ogg_page_granulepos(&page_);
            pageEnds_ = ogg_page_eos(&page_) != 0;
            sawEnd_ = sawEnd_ || pageEnds_;
            continue;
        }
        if (vorbis_synthesis(&block_, &packet) != 0) continue;  // not audio: skip the packet
        vorbis_synthesis_blockin(&dsp_, &block_);
        float** pcm = nullptr;
        for (int got; (got = vorbis_synthesis_pcmout(&dsp_, &pcm)) > 0;) {
            int64_t keep = got;
            // The last page's granule position trims the padding of the final block.
            if (pageEnds_ && pageGranule_ >= 0 && !inHole_) keep = std::clamp<int64_t>(pageGranule_ - emitted_, 0, got);
            output(pcm, keep);
            vorbis_synthesis_read(&dsp_, got);
        }
    }
    return !finished_;
}
