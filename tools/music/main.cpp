// orvale-music [--stems DIR] OUTPUT.ogg: renders the intro's music from its score and encodes
// it as Ogg Vorbis. The same code always gives the same bytes. With --stems it also writes
// each stem to DIR as a 32-bit float WAVE file and prints how each one's power divides among
// the octave bands, as a share of the whole track's, in each stretch the mix is tuned by.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "Bands.h"
#include "Dsp.h"
#include "Render.h"
#include "Score.h"
#include "VorbisWriter.h"
#include "WavWriter.h"

namespace {

std::vector<float> mono(const std::vector<float>& interleaved)
{
    std::vector<float> out(interleaved.size() / 2);
    for (size_t i = 0; i < out.size(); ++i) out[i] = 0.5f * (interleaved[i * 2] + interleaved[i * 2 + 1]);
    return out;
}

void printRow(const char* name, const BandPowers& powers, double reference)
{
    std::printf("%-15s", name);
    for (double p : powers.band) std::printf("%8.1f", shareDb(p, reference));
    std::printf("%8.1f%8.1f%8.1f\n", shareDb(powers.mids(), reference), shareDb(powers.highs(), reference),
                shareDb(powers.total, reference));
}

void printStemTable(const Rendering& rendering)
{
    const std::vector<float> track = mono(rendering.track);
    std::vector<std::vector<float>> stems;
    for (const std::vector<float>& stem : rendering.stems) stems.push_back(mono(stem));
    for (double from : kWindowStarts) {
        const double to = from + kWindowSeconds;
        const BandPowers whole = bandPowers(track.data(), track.size(), from, to);
        std::printf("\n%3.0f-%3.0f s dB  ", from, to);
        for (const Band& band : kBands) std::printf("%8s", band.label);
        std::printf("%8s%8s%8s\n", "500-2k", "4k-16k", "all");
        for (size_t s = 0; s < stems.size(); ++s)
            printRow(stemName(kStems[s]), bandPowers(stems[s].data(), stems[s].size(), from, to), whole.total);
        printRow("track", whole, whole.total);
    }
}

bool makeFolder(const std::string& dir)
{
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error) std::fprintf(stderr, "orvale-music: cannot make the folder %s: %s\n", dir.c_str(), error.message().c_str());
    return !error;
}

bool writeStems(const std::string& dir, const Rendering& rendering)
{
    for (size_t s = 0; s < rendering.stems.size(); ++s) {
        const std::string path = dir + "/" + stemName(kStems[s]) + ".wav";
        if (!writeFloatWav(path, rendering.stems[s], 2, kRate)) {
            std::fprintf(stderr, "orvale-music: cannot write %s\n", path.c_str());
            std::error_code error;
            std::filesystem::remove(path, error);
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string stemsDir, output;
    if (argc == 2 && argv[1][0] != '-') {
        output = argv[1];
    } else if (argc == 4 && std::strcmp(argv[1], "--stems") == 0) {
        stemsDir = argv[2];
        output = argv[3];
    } else {
        std::fprintf(stderr, "usage: orvale-music [--stems DIR] OUTPUT.ogg\n");
        return 2;
    }

    if (!stemsDir.empty() && !makeFolder(stemsDir)) return 1;  // before the render, not after it
    const Rendering rendering = renderTrack(score(), kTrackSeconds, !stemsDir.empty());
    if (!stemsDir.empty()) {
        if (!writeStems(stemsDir, rendering)) return 1;
        printStemTable(rendering);
    }
    if (!writeOggVorbis(output, rendering.track, 2, kRate, 0.7f)) {
        std::fprintf(stderr, "orvale-music: cannot write %s\n", output.c_str());
        std::error_code error;
        std::filesystem::remove(output, error);
        return 1;
    }
    return 0;
}
