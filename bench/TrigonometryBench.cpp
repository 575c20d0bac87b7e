// The intro's own sine and cosine against the C library's, per call, over the arguments the
// scenes pass (a few radians to a few thousand).
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "math/Trigonometry.h"

namespace {

template <typename T>
std::vector<T> arguments()
{
    std::vector<T> xs(4096);
    for (size_t i = 0; i < xs.size(); ++i) xs[i] = static_cast<T>(0.37 * static_cast<double>(i) - 300.0);
    return xs;
}

template <typename T, T (*Sine)(T), T (*Cosine)(T)>
void sineAndCosine(benchmark::State& state)
{
    const std::vector<T> xs = arguments<T>();
    for (auto _ : state)
        for (T x : xs) {
            benchmark::DoNotOptimize(Sine(x));
            benchmark::DoNotOptimize(Cosine(x));
        }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(xs.size()));
}

float librarySinf(float x) { return std::sin(x); }
float libraryCosf(float x) { return std::cos(x); }
double librarySin(double x) { return std::sin(x); }
double libraryCos(double x) { return std::cos(x); }
float ownSinf(float x) { return trig::sin(x); }
float ownCosf(float x) { return trig::cos(x); }
double ownSin(double x) { return trig::sin(x); }
double ownCos(double x) { return trig::cos(x); }

BENCHMARK(sineAndCosine<float, librarySinf, libraryCosf>)->Name("trig/library/float");
BENCHMARK(sineAndCosine<float, ownSinf, ownCosf>)->Name("trig/own/float");
BENCHMARK(sineAndCosine<double, librarySin, libraryCos>)->Name("trig/library/double");
BENCHMARK(sineAndCosine<double, ownSin, ownCos>)->Name("trig/own/double");

}  // namespace
