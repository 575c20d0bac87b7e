// The whole intro captured to video at 1280 x 720, 60 frames per second, by orvale-capture
// as people run it, against the intro's own running time.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr double kIntroSeconds = 206.0;

void introVideoCapture(benchmark::State& state)
{
    const std::string file = "/tmp/orvale-bench-intro.mp4";
    const std::string command = "cd '" ORVALE_BUILD_DIR "' && ./orvale-capture --video " + file +
                                " --size 1280x720 --fps 60 2>/dev/null";
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0) state.SkipWithError("orvale-capture failed");
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    std::remove(file.c_str());
    state.counters["capture_s"] = seconds;
    state.counters["ratio_to_intro"] = seconds / kIntroSeconds;
}
BENCHMARK(introVideoCapture)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

}  // namespace
