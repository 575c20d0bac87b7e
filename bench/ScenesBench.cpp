// The particle simulation alone, whole frames of Scenes B to F at 1280 x 720 through the
// shared frame function, and a late start's catch-up, in a hidden GL context (run from the
// build tree, which holds data/).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "app/OffscreenIntro.h"
#include "effects/ParticleEmitter.h"
#include "scenes/SharedEmitters.h"

namespace {

void hellCircleUpdate(benchmark::State& state)
{
    SharedEmitters emitters;
    Random random;
    configureFireRing(emitters, TextureId{});
    ParticleEmitter& hellCircle = emitters.hellCircle;
    for (int i = 0; i < 200; ++i) hellCircle.update(1.0f / 60 + 0.02f, random);  // every record alive
    for (auto _ : state) hellCircle.update(1.0f / 60 + 0.02f, random);
    int alive = 0;
    for (const Particle& p : hellCircle.particles) alive += p.alive;
    state.counters["alive"] = alive;
}
BENCHMARK(hellCircleUpdate);

// The intro loaded once in a hidden 1280 x 720 context, or null.
OffscreenIntro* loadedIntro()
{
    static const std::unique_ptr<OffscreenIntro> intro = [] {
        OffscreenIntro::Refusal refusal;
        return OffscreenIntro::open(1280, 720, GLApi::Core, refusal);
    }();
    return intro.get();
}

// Renders the window [from, to) at 60 frames per second, and reports the median frame time
// of its second half (the first half fills the particle pools).
void sceneFrames(benchmark::State& state, int from, int to)
{
    OffscreenIntro* intro = loadedIntro();
    if (!intro) {
        state.SkipWithError("no GL context");
        return;
    }
    std::vector<double> times;
    for (auto _ : state) {
        times.clear();
        for (int n = 0;; ++n) {
            const int t = from + n * 1000 / 60;
            if (t >= to) break;
            const auto start = std::chrono::steady_clock::now();
            intro->render(t);
            intro->gfx().finish();
            const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            if (t >= (from + to) / 2) times.push_back(ms);
        }
    }
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times.empty() ? 0 : times[times.size() / 2];
    state.counters["frames"] = static_cast<double>(times.size());
}
BENCHMARK_CAPTURE(sceneFrames, sceneB_1280x720, 14110, 22000)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(sceneFrames, sceneC_1280x720, 30000, 36000)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(sceneFrames, sceneD_1280x720, 60000, 72000)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(sceneFrames, sceneE_1280x720, 88230, 98000)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(sceneFrames, sceneF_1280x720, 115360, 125000)->Iterations(1)->Unit(benchmark::kSecond);

// orvale-invit --start 150000 at 1280 x 720 once loaded: the catch-up on the capture's frames
// up to 2:30 without drawing, then the first frame; from a new pass, as --loop starts one.
void lateStartCatchUp(benchmark::State& state)
{
    OffscreenIntro* intro = loadedIntro();
    if (!intro) {
        state.SkipWithError("no GL context");
        return;
    }
    constexpr int kStart = 150000;
    for (auto _ : state) {
        intro->restart();
        intro->catchUp(kStart);
        intro->render(kStart);
        intro->gfx().finish();
    }
    state.counters["frames"] = kStart * kCatchUpFps / 1000;
}
BENCHMARK(lateStartCatchUp)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

}  // namespace
