// The data generators run at build time; the music must take at most 30 s on the project's machine.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void musicGeneration(benchmark::State& state)
{
    const std::string command = std::string(ORVALE_MUSIC_TOOL) + " /tmp/orvale-bench-music.ogg";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) state.SkipWithError("orvale-music failed");
    std::remove("/tmp/orvale-bench-music.ogg");
}
BENCHMARK(musicGeneration)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

}  // namespace
