#include "Master.h"

#include <algorithm>
#include <cmath>

#include "Dsp.h"

namespace {

struct Biquad {
    double b0, b1, b2, a1, a2;
    double z1 = 0, z2 = 0;
    double process(double x)
    {
        const double y = b0 * x + z1;
        z1 = b1 * x - a1 * y + z2;
        z2 = b2 * x - a2 * y;
        return y;
    }
};

// The two stages of the K-weighting filter, designed for the sample rate.
void kWeighting(Biquad& shelf, Biquad& highPass)
{
    double f0 = 1681.974450955533, gain = 3.999843853973347, q = 0.7071752369554196;
    double k = std::tan(M_PI * f0 / kRate);
    const double vh = std::pow(10.0, gain / 20.0), vb = std::pow(vh, 0.4996667741545416);
    double a0 = 1.0 + k / q + k * k;
    shelf = {(vh + vb * k / q + k * k) / a0, 2.0 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0,
             2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
    f0 = 38.13547087602444;
    q = 0.5003270373238773;
    k = std::tan(M_PI * f0 / kRate);
    a0 = 1.0 + k / q + k * k;
    highPass = {1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

// A ping-pong echo of a dotted eighth at 120 BPM, each repeat darker.
void echo(Mix& mix)
{
    const size_t delay = static_cast<size_t>(0.375 * kRate);
    double dampL = 0, dampR = 0;
    for (size_t i = delay; i < mix.left.size(); ++i) {
        dampL += 0.35 * (mix.echoRight[i - delay] - dampL);
        dampR += 0.35 * (mix.echoLeft[i - delay] - dampR);
        mix.echoLeft[i] += static_cast<float>(0.45 * dampL);
        mix.echoRight[i] += static_cast<float>(0.45 * dampR);
    }
    for (size_t i = 0; i < mix.left.size(); ++i) {
        mix.left[i] += 0.6f * mix.echoLeft[i];
        mix.right[i] += 0.6f * mix.echoRight[i];
    }
}

}  // namespace

double integratedLoudness(const std::vector<float>& interleaved)
{
    const size_t frames = interleaved.size() / 2;
    std::vector<double> power(frames);  // K-weighted power summed over both channels
    Biquad shelf[2], highPass[2];
    for (int c = 0; c < 2; ++c) kWeighting(shelf[c], highPass[c]);
    for (size_t i = 0; i < frames; ++i) {
        double sum = 0;
        for (int c = 0; c < 2; ++c) {
            const double y = highPass[c].process(shelf[c].process(interleaved[i * 2 + c]));
            sum += y * y;
        }
        power[i] = sum;
    }
    const size_t block = kRate * 4 / 10, step = kRate / 10;
    std::vector<double> blocks;
    double running = 0;
    for (size_t i = 0; i < block && i < frames; ++i) running += power[i];
    for (size_t start = 0; start + block <= frames; start += step) {
        if (start > 0) {
            for (size_t i = start - step; i < start; ++i) running -= power[i];
            for (size_t i = start + block - step; i < start + block; ++i) running += power[i];
        }
        blocks.push_back(running / block);
    }
    auto loudness = [](double meanPower) { return -0.691 + 10.0 * std::log10(meanPower); };
    auto gatedMean = [&](double gate) {
        double sum = 0;
        int count = 0;
        for (double b : blocks)
            if (b > 0 && loudness(b) > gate) sum += b, ++count;
        return count ? sum / count : 0.0;
    };
    const double relativeGate = loudness(gatedMean(-70.0)) - 10.0;
    return loudness(gatedMean(std::max(-70.0, relativeGate)));
}

std::vector<float> finish(Mix& mix, double fadeStart, double fadeEnd)
{
    echo(mix);
    const size_t frames = mix.left.size();
    std::vector<float> out(frames * 2);
    Svf dcLeft, dcRight;
    for (size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double fade = t < fadeStart ? 1.0 : std::max(0.0, 1.0 - (t - fadeStart) / (fadeEnd - fadeStart));
        out[i * 2] = static_cast<float>(fade * fade * dcLeft.process(mix.left[i], 20, 0.0).high);
        out[i * 2 + 1] = static_cast<float>(fade * fade * dcRight.process(mix.right[i], 20, 0.0).high);
    }
    return out;
}

void limit(std::vector<float>& interleaved, double ceilingDb)
{
    // The gain each frame needs, then ramps so that it falls ahead of a peak (within 2 ms)
    // and recovers slowly (over 80 ms), never above what a frame allows.
    const size_t frames = interleaved.size() / 2;
    if (frames == 0) return;
    const double ceiling = dbToGain(ceilingDb);
    std::vector<double> g(frames);
    for (size_t i = 0; i < frames; ++i) {
        const double peak = std::max(std::fabs(interleaved[i * 2]), std::fabs(interleaved[i * 2 + 1]));
        g[i] = peak > ceiling ? ceiling / peak : 1.0;
    }
    const double attackStep = 1.0 / (0.002 * kRate), releaseStep = 1.0 / (0.08 * kRate);
    for (size_t i = frames - 1; i-- > 0;) g[i] = std::min(g[i], g[i + 1] + attackStep);
    for (size_t i = 1; i < frames; ++i) g[i] = std::min(g[i], g[i - 1] + releaseStep);
    for (size_t i = 0; i < frames; ++i) {
        interleaved[i * 2] = static_cast<float>(interleaved[i * 2] * g[i]);
        interleaved[i * 2 + 1] = static_cast<float>(interleaved[i * 2 + 1] * g[i]);
    }
}
