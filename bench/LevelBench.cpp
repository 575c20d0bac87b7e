// The spectrum level, which Scene C asks for up to 120 times per frame, stepped and calm.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "../tests/support/Signals.h"
#include "audio/MusicPlayer.h"

namespace {

// A player in virtual playback over ten seconds of a tone, as the capture tool runs it.
MusicPlayer& player()
{
    static MusicPlayer* playing = [] {
        const std::string path = "/tmp/orvale-bench-tone.ogg";
        writeOggVorbis(path, sine(5512.5, 0.01, 10.0, 2, 44100), 2, 44100);
        auto* p = new MusicPlayer;
        p->useVirtualOutput();
        const Status played = p->playFile(path.c_str());
        std::remove(path.c_str());
        if (!played.ok()) std::fprintf(stderr, "%s\n", played.message().c_str());
        return p;
    }();
    return *playing;
}

// Many calls within one frame: the heard position stands still.
void spectrumLevelSameFrame(benchmark::State& state)
{
    MusicPlayer& p = player();
    p.setVirtualTime(1.0);
    for (auto _ : state) benchmark::DoNotOptimize(p.spectrumLevel());
}
BENCHMARK(spectrumLevelSameFrame);

// Every call at a new audio block: the spectrum is computed each time (the worst case).
// The heard position never goes back, so the time keeps growing across runs; past the end
// of the tone the samples are silence, which costs the same.
void spectrumLevelNewBlock(benchmark::State& state)
{
    MusicPlayer& p = player();
    static double seconds = 1.0;
    for (auto _ : state) {
        seconds += 256.0 / 44100.0;
        p.setVirtualTime(seconds);
        benchmark::DoNotOptimize(p.spectrumLevel());
    }
}
BENCHMARK(spectrumLevelNewBlock);

// The calm level ("Fewer flashes") within one frame, its second of blocks known: the mean of
// them and the pulse, every call.
void calmLevelSameFrame(benchmark::State& state)
{
    MusicPlayer& p = player();
    p.setVirtualTime(std::max(p.heardFrame() / 44100.0, 2.0));
    benchmark::DoNotOptimize(p.calmLevel());
    for (auto _ : state) benchmark::DoNotOptimize(p.calmLevel());
}
BENCHMARK(calmLevelSameFrame);

}  // namespace
