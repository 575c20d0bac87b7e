// orvale-frame-costs: what each time window of the intro costs per frame against the cost of
// its composition alone (the same render targets, clears, filter passes and overlays with the
// scenes drawing nothing) and against the least any composition can cost (one plain copy of a
// full-screen picture), how the heaviest window grows with the pixel count, the loading
// work, the CPU time of the per-frame simulation and geometry, and heap allocations per frame
// in steady state. Prints one table and writes it to bench/results.json. Run from the build
// tree (which holds data/).
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "app/OffscreenIntro.h"
#include "effects/ParticleEmitter.h"
#include "geometry/MetaballField.h"
#include "scenes/MetaballScene.h"
#include "scenes/TwisterScene.h"

// Every allocation of this program's own code, counted. GCC takes the replaced operators'
// malloc and free for a mismatch with the built-in new and delete they stand for.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
namespace {
std::atomic<uint64_t> allocations{0};
}
void* operator new(std::size_t size)
{
    ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); }

struct Stats {
    double median = 0, p95 = 0, max = 0;
};

Stats stats(std::vector<double> v)
{
    if (v.empty()) return {};
    std::sort(v.begin(), v.end());
    return {v[v.size() / 2], v[std::min(v.size() - 1, v.size() * 95 / 100)], v.back()};
}

std::vector<uint8_t> pixels;
std::unique_ptr<OffscreenIntro> intro;
int frameWidth = 0, frameHeight = 0;

// One frame as the capture tool makes it: the clock stepped, the frame drawn and read back.
double frame(int t)
{
    const auto start = Clock::now();
    intro->render(t);
    intro->gfx().readPixels({0, 0, frameWidth, frameHeight}, pixels.data());
    return msSince(start);
}

void resize(int width, int height)
{
    frameWidth = width;
    frameHeight = height;
    pixels.resize(static_cast<size_t>(width) * height * 4);
    const Status resized = intro->intro().resize(width, height);
    if (!resized.ok()) {
        std::fprintf(stderr, "orvale-frame-costs: %s\n", resized.message().c_str());
        std::exit(1);
    }
}

struct Window {
    const char* name;
    int start;  // the measured stretch begins a second into the window
};
constexpr Window kWindows[] = {{"A opening", 0},        {"B burning circle", 14110}, {"C stems", 30000},
                               {"D metaballs", 60000},  {"E ribbons", 88230},        {"F twister", 115360},
                               {"closing", 150000}};
constexpr int kFps = 60, kWarmFrames = 60, kMeasuredFrames = 120;

struct WindowCost {
    Stats full, floor;
    double allocationsPerFrame = 0;
};

// A second of frames to fill the particle pools, then two measured seconds, then the same
// two seconds with the scenes off.
WindowCost measureWindow(const Window& w)
{
    WindowCost cost;
    for (int n = 0; n < kWarmFrames; ++n) frame(w.start + n * 1000 / kFps);
    std::vector<double> full, floor;
    full.reserve(kMeasuredFrames);
    floor.reserve(kMeasuredFrames);
    const uint64_t before = allocations;
    for (int n = kWarmFrames; n < kWarmFrames + kMeasuredFrames; ++n) full.push_back(frame(w.start + n * 1000 / kFps));
    cost.allocationsPerFrame = static_cast<double>(allocations - before) / kMeasuredFrames;
    intro->intro().drawScenes(false);
    for (int n = kWarmFrames; n < kWarmFrames + kMeasuredFrames; ++n) floor.push_back(frame(w.start + n * 1000 / kFps));
    intro->intro().drawScenes(true);
    cost.full = stats(full);
    cost.floor = stats(floor);
    return cost;
}

// The least a composition can cost: a frame that is one plain full-screen copy of a picture,
// read back as the frames are.
Stats plainCopy()
{
    Gfx& g = intro->gfx();
    const DrawState copy{.texture = intro->assets().sceneTarget->picture()};
    std::vector<double> times;
    for (int n = 0; n < kMeasuredFrames; ++n) {
        const auto start = Clock::now();
        intro->assets().quad->draw(g, copy);
        g.readPixels({0, 0, frameWidth, frameHeight}, pixels.data());
        times.push_back(msSince(start));
    }
    return stats(times);
}

// Per-frame CPU work of one kind, repeated at 60 frames per second.
Stats cpuWork(const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < 120; ++i) {
        const auto start = Clock::now();
        work();
        times.push_back(msSince(start));
    }
    return stats(times);
}

// Seeks across the intro once every checkpoint is made: the time from a seek to the state of
// its moment being ready to draw (ms), all of them and those going back and on.
struct SeekCosts {
    Stats all, backward, forward;
    double aheadMs = 0;  // making every checkpoint, in one go
    // Frames of the heaviest window alone, and each followed by the slice of running ahead
    // that the player adds to a frame while the checkpoints are being made (median ms).
    double frameMs = 0, frameAheadMs = 0;
};

SeekCosts measureSeeks(Run& run, const Window& heaviest)
{
    SeekCosts costs;
    std::vector<double> alone, ahead;
    // Few enough that the running ahead is not done before them.
    for (int n = 0; n < 30; ++n) {
        const int t = heaviest.start + n * 1000 / kFps;
        alone.push_back(frame(t));
        const auto start = Clock::now();
        frame(t);
        run.runAhead(::Run::kAheadWhilePlaying);
        ahead.push_back(msSince(start));
    }
    costs.frameMs = stats(alone).median;
    costs.frameAheadMs = stats(ahead).median;
    const auto aheadStart = Clock::now();
    run.runAhead(int64_t{1} << 40);
    costs.aheadMs = msSince(aheadStart);
    std::vector<double> all, backward, forward;
    // 60 moments spread over the intro in a scrambled order, on and off the frame grid.
    int32_t from = 0;
    for (int i = 1; i <= 60; ++i) {
        const int32_t t = static_cast<int32_t>((int64_t{i} * 7919 * 1013) % lastSeekableMoment());
        const auto start = Clock::now();
        run.reachMoment(t);
        const double ms = msSince(start);
        all.push_back(ms);
        (t < from ? backward : forward).push_back(ms);
        from = t;
    }
    costs.all = stats(all);
    costs.backward = stats(backward);
    costs.forward = stats(forward);
    return costs;
}

class CountingSink final : public SurfaceSink {
public:
    int64_t vertices = 0;
    void vertex(const Vec3&, const Vec3&) override { ++vertices; }
};

}  // namespace

int main()
{
    // The largest size measured; smaller ones use part of the window.
    OffscreenIntro::Refusal refusal;
    intro = OffscreenIntro::open(1920, 1080, GLApi::Core, refusal);
    if (!intro) {
        std::fprintf(stderr, "orvale-frame-costs: %s\n", refusal.message.empty() ? "no GL context" : refusal.message.c_str());
        return 1;
    }
    // The capture tool's loading makes no pauses.
    const double loadingWork = intro->loadSeconds() * 1000;
    Assets& assets = intro->assets();
    resize(1280, 720);

    std::FILE* json = std::fopen("bench/results.json", "w");
    if (!json) {
        std::fprintf(stderr, "orvale-frame-costs: cannot write bench/results.json\n");
        return 1;
    }
    frame(0);
    const double copy = plainCopy().median;
    std::printf("Frame times at 1280 x 720 through the capture path (ms; floor: the composition alone; "
                "copies: the floor in plain full-screen copies of %.1f ms)\n",
                copy);
    std::printf("%-18s %8s %8s %8s %8s %7s %7s %9s %7s\n", "window", "median", "p95", "floor", "floor95", "copies",
                "ratio", "allocs/fr", "target");
    std::fprintf(json, "{\n  \"plain_copy_ms\": %.2f,\n  \"windows\": [\n", copy);
    double heaviest = 0;
    const Window* heaviestWindow = &kWindows[0];
    for (const Window& w : kWindows) {
        const WindowCost c = measureWindow(w);
        const double ratio = c.full.median / c.floor.median;
        const bool met = c.full.median <= 1.5 * c.floor.median || c.full.median <= c.floor.median + 5;
        const double copies = c.floor.median / copy;
        std::printf("%-18s %8.1f %8.1f %8.1f %8.1f %7.2f %7.2f %9.1f %7s\n", w.name, c.full.median, c.full.p95,
                    c.floor.median, c.floor.p95, copies, ratio, c.allocationsPerFrame, met ? "met" : "MISSED");
        std::fprintf(json,
                     "    {\"window\": \"%s\", \"median_ms\": %.2f, \"p95_ms\": %.2f, \"floor_median_ms\": %.2f, "
                     "\"floor_p95_ms\": %.2f, \"floor_copies\": %.3f, \"ratio\": %.3f, "
                     "\"allocations_per_frame\": %.1f, \"target_met\": %s}%s\n",
                     w.name, c.full.median, c.full.p95, c.floor.median, c.floor.p95, copies, ratio,
                     c.allocationsPerFrame, met ? "true" : "false",
                     &w == &kWindows[std::size(kWindows) - 1] ? "" : ",");
        if (c.full.median > heaviest) {
            heaviest = c.full.median;
            heaviestWindow = &w;
        }
    }
    std::fprintf(json, "  ],\n");

    std::printf("\nHeaviest window, %s, by frame size (median ms)\n", heaviestWindow->name);
    std::fprintf(json, "  \"heaviest\": {\"window\": \"%s\"", heaviestWindow->name);
    double smallest = 0, largest = 0;
    for (const auto& [width, height] : {std::pair{800, 600}, std::pair{1280, 720}, std::pair{1920, 1080}}) {
        resize(width, height);
        const double median = measureWindow(*heaviestWindow).full.median;
        if (width == 800) smallest = median;
        if (width == 1920) largest = median;
        std::printf("%4d x %-4d %8.1f\n", width, height, median);
        std::fprintf(json, ", \"%dx%d_ms\": %.2f", width, height, median);
    }
    const double growth = largest / smallest;
    std::printf("growth from 800 x 600 to 1920 x 1080: %.2f x (pixels: 4.32 x; target at most 3.24 x)\n", growth);
    std::fprintf(json, ", \"growth\": %.3f},\n", growth);
    resize(1280, 720);

    // The simulation and geometry of the heaviest frames, GL excluded.
    Random random;
    const Stats particles = cpuWork([&assets, &random] {
        assets.emitters.hellCircle.update(1.0f / kFps, random);
        assets.emitters.twinkles.update(1.0f / kFps, random);
        assets.burning->meteorFlames().update(1.0f / kFps, random);
        for (ParticleEmitter& e : assets.ribbons->ribbons()) e.update(1.0f / kFps, random);
        for (ParticleEmitter& e : assets.emitters.greetingEmitters) e.update(1.0f / kFps, random);
    });
    auto field = buildMetaballField();
    for (size_t k = 0; k < field->balls.size(); ++k)
        field->balls[k] = {ballPosition(assets.metaballs->ballMotions()[k], 0.35f),
                           ballRadius(assets.metaballs->ballMotions()[k], 0.35f)};
    CountingSink sink;
    const Stats metaballs = cpuWork([&] {
        evaluateMetaballField(*field);
        polygoniseField(*field, 0.5f, sink);
    });
    float p = 0;
    const Stats rings = cpuWork([&p, &assets] { assets.twister->updateRings(p += 1.0f / 1778); });
    std::printf("\nPer-frame CPU work (ms, median / max; target: the worst frame at most 2 ms)\n");
    std::printf("particle updates, every emitter  %6.2f / %6.2f\n", particles.median, particles.max);
    std::printf("metaball evaluation + surface    %6.2f / %6.2f\n", metaballs.median, metaballs.max);
    std::printf("column rings                     %6.2f / %6.2f\n", rings.median, rings.max);
    std::fprintf(json,
                 "  \"cpu_ms\": {\"particles_median\": %.3f, \"particles_max\": %.3f, \"metaballs_median\": %.3f, "
                 "\"metaballs_max\": %.3f, \"rings_median\": %.3f, \"rings_max\": %.3f},\n",
                 particles.median, particles.max, metaballs.median, metaballs.max, rings.median, rings.max);

    const SeekCosts seeks = measureSeeks(intro->run(), *heaviestWindow);
    const Checkpoints& checkpoints = intro->run().checkpoints();
    const double checkpointMb = static_cast<double>(checkpoints.bytes()) / (1 << 20);
    std::printf("\nSeeks at 1280 x 720, to the state of the moment ready to draw (ms; target at most 100)\n");
    std::printf("all       median %6.1f  worst %6.1f\n", seeks.all.median, seeks.all.max);
    std::printf("backward  median %6.1f  worst %6.1f\n", seeks.backward.median, seeks.backward.max);
    std::printf("forward   median %6.1f  worst %6.1f\n", seeks.forward.median, seeks.forward.max);
    std::printf("checkpoints: %zu, %.1f MB (at most %zu MB); made in %.0f ms of work\n", checkpoints.count(),
                checkpointMb, Checkpoints::kMaxBytes >> 20, seeks.aheadMs);
    std::printf("frames of %s while they are made: %.1f ms alone, %.1f ms with the running ahead\n",
                heaviestWindow->name, seeks.frameMs, seeks.frameAheadMs);
    std::fprintf(json,
                 "  \"seek\": {\"median_ms\": %.2f, \"worst_ms\": %.2f, \"backward_median_ms\": %.2f, "
                 "\"backward_worst_ms\": %.2f, \"forward_median_ms\": %.2f, \"forward_worst_ms\": %.2f, "
                 "\"checkpoints\": %zu, \"checkpoint_mb\": %.2f, \"making_ms\": %.1f, \"frame_ms\": %.2f, "
                 "\"frame_while_making_ms\": %.2f},\n",
                 seeks.all.median, seeks.all.max, seeks.backward.median, seeks.backward.max, seeks.forward.median,
                 seeks.forward.max, checkpoints.count(), checkpointMb, seeks.aheadMs, seeks.frameMs,
                 seeks.frameAheadMs);

    std::printf("\nLoading work (the assets and the music's start, without the pauses): %.0f ms "
                "(target at most 250 ms)\n",
                loadingWork);
    std::fprintf(json, "  \"loading_ms\": %.1f\n}\n", loadingWork);
    std::fclose(json);
    std::printf("Written to bench/results.json\n");

    intro.reset();
    return 0;
}
