#pragma once

// Small building blocks of the synthesizer: a deterministic noise source, band-limited
// oscillators, a state-variable filter and envelopes. Times are in seconds, frequencies in Hz.
#include <algorithm>
#include <cmath>
#include <cstdint>

inline constexpr int kRate = 44100;
inline constexpr double kTwoPi = 6.283185307179586;

inline double midiToHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }
inline double dbToGain(double db) { return std::pow(10.0, db / 20.0); }

// xorshift32: the same noise on every run.
class Noise {
public:
    explicit Noise(uint32_t seed) : state_(seed ? seed : 1) {}
    // Uniform in [-1, 1).
    double next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_ / 2147483648.0 - 1.0;
    }

private:
    uint32_t state_;
};

// The correction that removes the aliasing of a hard step: t is the phase in [0, 1), dt the
// phase increment per sample.
inline double polyBlep(double t, double dt)
{
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

// Band-limited sawtooth and pulse.
class Oscillator {
public:
    explicit Oscillator(double phase = 0.0) : phase_(phase) {}
    double saw(double hz)
    {
        const double dt = hz / kRate;
        const double value = 2.0 * phase_ - 1.0 - polyBlep(phase_, dt);
        advance(dt);
        return value;
    }
    double pulse(double hz, double width = 0.5)
    {
        const double dt = hz / kRate;
        double value = phase_ < width ? 1.0 : -1.0;
        value += polyBlep(phase_, dt);
        value -= polyBlep(std::fmod(phase_ + 1.0 - width, 1.0), dt);
        advance(dt);
        return value;
    }
    double sine(double hz)
    {
        const double value = std::sin(kTwoPi * phase_);
        advance(hz / kRate);
        return value;
    }

private:
    void advance(double dt)
    {
        phase_ += dt;
        phase_ -= std::floor(phase_);
    }
    double phase_;
};

// A state-variable filter (trapezoidal integration): low, band and high pass from one state.
class Svf {
public:
    struct Out {
        double low, band, high;
    };
    Out process(double input, double cutoffHz, double resonance)
    {
        const double g = std::tan(M_PI * std::clamp(cutoffHz, 10.0, kRate * 0.45) / kRate);
        const double k = 2.0 - 2.0 * std::clamp(resonance, 0.0, 0.98);
        const double a1 = 1.0 / (1.0 + g * (g + k));
        const double v3 = input - ic2_;
        const double v1 = a1 * ic1_ + g * a1 * v3;
        const double v2 = ic2_ + g * v1;
        ic1_ = 2.0 * v1 - ic1_;
        ic2_ = 2.0 * v2 - ic2_;
        return {v2, v1, input - k * v1 - v2};
    }

private:
    double ic1_ = 0.0, ic2_ = 0.0;
};

// Attack, decay to a sustain level, release after `gate` seconds; every segment has a
// length, so nothing clicks.
inline double adsr(double t, double gate, double attack, double decay, double sustain, double release)
{
    auto held = [&](double u) {
        if (u < attack) return u / attack;
        const double d = (u - attack) / decay;
        return sustain + (1.0 - sustain) * std::exp(-4.0 * d);
    };
    if (t < 0) return 0.0;
    if (t < gate) return held(t);
    const double r = (t - gate) / release;
    return r >= 1.0 ? 0.0 : held(gate) * (1.0 - r) * (1.0 - r);
}

// A percussive envelope: a short linear attack, then exponential decay with time constant tau.
inline double hit(double t, double attack, double tau)
{
    if (t < 0) return 0.0;
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / tau);
}
