#include "audio/VorbisDecoder.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

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
        const size_t got = std::min<size_t>(kReadSize, size_ - read_);
        if (got == 0) return Read::End;
        std::memcpy(buffer, bytes_ + read_, got);
        read_ += got;
        ogg_sync_wrote(&sync_, static_cast<long>(got));
    }
}

Status VorbisDecoder::readHeaders()
{
    vorbis_info_init(&info_);
    vorbis_comment_init(&comment_);
    int headers = 0;
    while (headers < 3) {
        if (nextPage() == Read::End) {
            return Failure{headers == 0 ? "is not an Ogg Vorbis file" : "ends inside its Vorbis headers"};
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
                return Failure{headers == 0 ? "is not an Ogg Vorbis file" : "has a damaged Vorbis header"};
            }
            ++headers;
        }
    }
    return {};
}

int64_t VorbisDecoder::lastGranule()
{
    // The last page of the stream near the end of the file gives the piece's length.
    const size_t tailSize = std::min<size_t>(size_, 65536);
    ogg_sync_state tail;
    ogg_sync_init(&tail);
    char* buffer = ogg_sync_buffer(&tail, static_cast<long>(tailSize));
    std::memcpy(buffer, bytes_ + size_ - tailSize, tailSize);
    ogg_sync_wrote(&tail, static_cast<long>(tailSize));
    int64_t granule = -1;
    ogg_page page;
    for (int result; (result = ogg_sync_pageout(&tail, &page)) != 0;)
        if (result > 0 && ogg_page_serialno(&page) == stream_.serialno && ogg_page_granulepos(&page) >= 0)
            granule = ogg_page_granulepos(&page);
    ogg_sync_clear(&tail);
    return granule;
}

Status VorbisDecoder::open(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return Failure{path +
                       (errno == ENOENT ? " is missing" : std::string(" cannot be opened: ") + std::strerror(errno))};
    // Read in one go where the file says its size; a stream without one grows as it is read.
    std::error_code unknown;
    const std::uintmax_t expected = std::filesystem::file_size(path, unknown);
    if (!unknown) owned_.reserve(static_cast<size_t>(expected));
    char buffer[65536];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        owned_.insert(owned_.end(), buffer, buffer + got);
    const bool failed = std::ferror(file) != 0;
    const int why = errno;
    std::fclose(file);
    if (failed) return Failure{path + " cannot be read: " + std::strerror(why)};
    return openBytes(owned_.data(), owned_.size(), path);
}

Status VorbisDecoder::openBytes(const void* data, size_t size, const std::string& name)
{
    if (size == 0) return Failure{name + " is empty"};
    bytes_ = static_cast<const uint8_t*>(data);
    size_ = size;
    return start(name);
}

Status VorbisDecoder::start(const std::string& name)
{
    ogg_sync_init(&sync_);
    if (const Status headers = readHeaders(); !headers.ok()) return Failure{name + " " + headers.message()};
    channels_ = info_.channels;
    rate_ = info_.rate;
    if (channels_ < 1 || channels_ > 8 || rate_ < 1000 || rate_ > 384000) {
        return Failure{name + " has " + std::to_string(channels_) + " channels at " + std::to_string(rate_) +
                       " Hz, which this player cannot play"};
    }
    if (channels_ != Track::kChannels || rate_ != Track::kRate) {
        converter_ = SDL_NewAudioStream(AUDIO_F32SYS, static_cast<Uint8>(channels_), static_cast<int>(rate_),
                                        AUDIO_F32SYS, Track::kChannels, Track::kRate);
        if (!converter_) {
            return Failure{name + " cannot be converted to 44100 Hz stereo: " + SDL_GetError()};
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
    return {};
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
