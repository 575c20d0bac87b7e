// The metaball field's CPU work for one frame: evaluating the lattice and polygonising it.
#include <benchmark/benchmark.h>

#include "geometry/MetaballField.h"
#include "math/Random.h"
#include "scenes/MetaballScene.h"

namespace {

// The balls as Scene D places them a third of the way through, fully grown, from the same
// random draws every time.
std::unique_ptr<MetaballField> sceneField()
{
    Random random;
    const MetaballScene scene(random);
    const auto& motions = scene.ballMotions();
    auto field = buildMetaballField();
    for (size_t k = 0; k < field->balls.size(); ++k)
        field->balls[k] = {ballPosition(motions[k], 0.35f), ballRadius(motions[k], 0.35f)};
    evaluateMetaballField(*field);
    return field;
}

class CountingSink final : public SurfaceSink {
public:
    int64_t vertices = 0;
    void vertex(const Vec3& normal, const Vec3& point) override
    {
        benchmark::DoNotOptimize(normal);
        benchmark::DoNotOptimize(point);
        ++vertices;
    }
};

void metaballEvaluate(benchmark::State& state)
{
    const auto field = sceneField();
    for (auto _ : state) {
        evaluateMetaballField(*field);
        benchmark::ClobberMemory();
    }
    state.counters["points"] = static_cast<double>(field->points.size());
}
BENCHMARK(metaballEvaluate)->Unit(benchmark::kMillisecond);

void metaballPolygonise(benchmark::State& state)
{
    const auto field = sceneField();
    CountingSink sink;
    for (auto _ : state) {
        sink.vertices = 0;
        polygoniseField(*field, 0.5f, sink);
    }
    state.counters["triangles"] = static_cast<double>(sink.vertices / 3);
}
BENCHMARK(metaballPolygonise)->Unit(benchmark::kMillisecond);

}  // namespace
