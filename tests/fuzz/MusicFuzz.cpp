// Any bytes as the music file's content: refused with a reason, or decoded to the end into a
// track that never holds more than it has room for.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "audio/VorbisDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    VorbisDecoder decoder;
    if (const Status opened = decoder.openBytes(data, size, "fuzzed.ogg"); !opened.ok()) {
        if (opened.message().empty()) std::abort();  // a refusal must say why
        return 0;
    }
    while (decoder.decode(Track::kRate)) {
    }
    const Track& track = *decoder.track;
    if (track.decodedFrames > track.capacityFrames) std::abort();
    return 0;
}
