// orvale-music OUTPUT: renders the intro's music from its score and encodes it as Ogg
// Vorbis. The same code always gives the same bytes.
#include <cstdio>

#include "Dsp.h"
#include "Instruments.h"
#include "Master.h"
#include "Score.h"
#include "VorbisWriter.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: orvale-music OUTPUT.ogg\n");
        return 2;
    }
    Mix mix(static_cast<size_t>(kTrackSeconds * kRate));
    for (const Note& note : score()) render(note, mix);
    const std::vector<float> track = master(mix, kFadeStart, kFadeEnd, -13.2, -3.5);
    if (!writeOggVorbis(argv[1], track, 2, kRate, 0.7f)) {
        std::fprintf(stderr, "orvale-music: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
