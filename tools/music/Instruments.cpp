// The instruments. Melodic voices are low-passed steeply (two filters in a row) so that
// the band around 5.5 kHz belongs to the hats and snares, whose hits set the spectrum level
// the stems and metaballs beat with; pads and plucks are high-passed too, leaving the low
// end to the kick and bass. Gains are set so that the mids carry the chords, arpeggio and
// lead while the highs stay tame.
#include "Instruments.h"

#include <cmath>

#include "Dsp.h"

namespace {

// Adds `seconds` of a mono voice, produced sample by sample by `voice(t)`, at the note's
// place; `echo` is how much of it is sent into the echo.
template <typename VoiceFn>
void play(const Note& note, Mix& mix, double seconds, double echo, VoiceFn voice)
{
    const long first = std::lround(note.time * kRate);
    const long count = std::lround(seconds * kRate);
    const double left = std::sqrt(0.5 * (1.0 - note.pan)), right = std::sqrt(0.5 * (1.0 + note.pan));
    for (long i = 0; i < count; ++i) {
        const long at = first + i;
        if (at < 0) continue;
        if (static_cast<size_t>(at) >= mix.left.size()) break;
        const double v = voice(static_cast<double>(i) / kRate);
        mix.left[at] += static_cast<float>(v * left);
        mix.right[at] += static_cast<float>(v * right);
        if (echo > 0) {
            mix.echoLeft[at] += static_cast<float>(v * left * echo);
            mix.echoRight[at] += static_cast<float>(v * right * echo);
        }
    }
}

// Two low-pass filters in a row: 24 dB per octave.
struct SteepLowpass {
    Svf a, b;
    double process(double x, double cutoff, double resonance)
    {
        return b.process(a.process(x, cutoff, resonance).low, cutoff, 0.0).low;
    }
};

uint32_t seedOf(const Note& note) { return static_cast<uint32_t>(note.time * 1000003.0) ^ 0x9e3779b9u; }

void pad(const Note& note, Mix& mix)
{
    const double hz = midiToHz(note.pitch);
    Oscillator o1(0.0), o2(0.33), o3(0.71);
    SteepLowpass filter;
    Svf lowCut;
    const double release = 1.2;
    play(note, mix, note.length + release, 0.25, [&](double t) {
        const double wobble = 1.0 + 0.002 * std::sin(kTwoPi * 0.3 * t);
        const double raw = o1.saw(hz * 0.997 * wobble) + o2.saw(hz * 1.003) + 0.5 * o3.saw(hz * 0.5);
        const double cutoff = 1900 + 500 * std::sin(kTwoPi * 0.1 * (note.time + t));
        return 0.07 * note.velocity * adsr(t, note.length, 0.6, 1.0, 0.85, release) *
               lowCut.process(filter.process(raw, cutoff, 0.2), 220, 0.0).high;
    });
}

void swell(const Note& note, Mix& mix)
{
    const double hz = midiToHz(note.pitch);
    Oscillator o1(0.1), o2(0.6);
    SteepLowpass filter;
    play(note, mix, note.length + 0.05, 0.3, [&](double t) {
        const double rise = std::pow(std::min(t / note.length, 1.0), 2.0);
        const double cut = t > note.length ? 1.0 - (t - note.length) / 0.05 : 1.0;  // breaks off at the flash
        const double raw = o1.saw(hz * 0.995) + o2.saw(hz * 1.005);
        return 0.09 * note.velocity * rise * cut * filter.process(raw, 400 + 3000 * rise, 0.3);
    });
}

void pluck(const Note& note, Mix& mix, double brightness, double gain, double echo)
{
    const double hz = midiToHz(note.pitch);
    Oscillator saw, square(0.25);
    SteepLowpass filter;
    Svf lowCut;
    play(note, mix, 0.6, echo, [&](double t) {
        const double raw = 0.6 * saw.saw(hz) + 0.4 * square.pulse(hz, 0.3);
        const double cutoff = 1.5 * hz + brightness * std::exp(-t / 0.09);
        return gain * note.velocity * adsr(t, 0.25, 0.003, 0.15, 0.0, 0.1) *
               lowCut.process(filter.process(raw, cutoff, 0.3), 120, 0.0).high;
    });
}

void bass(const Note& note, Mix& mix)
{
    const double hz = midiToHz(note.pitch);
    Oscillator saw, sub;
    SteepLowpass filter;
    play(note, mix, note.length + 0.05, 0.0, [&](double t) {
        const double raw = 0.7 * saw.saw(hz) + 0.8 * sub.sine(hz * 0.5);
        const double cutoff = 220 + 1200 * std::exp(-t / 0.12);
        return 0.16 * note.velocity * adsr(t, note.length, 0.004, 0.2, 0.7, 0.04) * filter.process(raw, cutoff, 0.35);
    });
}

void lead(const Note& note, Mix& mix)
{
    const double hz = midiToHz(note.pitch);
    Oscillator pulse, saw(0.5), vibrato;
    SteepLowpass filter;
    play(note, mix, note.length + 0.3, 0.35, [&](double t) {
        const double depth = t > 0.25 ? 0.004 : 0.0;
        const double f = hz * (1.0 + depth * vibrato.sine(5.5));
        const double raw = 0.6 * pulse.pulse(f, 0.35) + 0.4 * saw.saw(f * 1.002);
        return 0.085 * note.velocity * adsr(t, note.length, 0.01, 0.4, 0.6, 0.25) * filter.process(raw, 2400, 0.25);
    });
}

void kick(const Note& note, Mix& mix)
{
    Oscillator body;
    play(note, mix, 0.45, 0.0, [&](double t) {
        const double hz = 48 + 110 * std::exp(-t / 0.035);
        const double click = t < 0.002 ? 0.4 * (1.0 - t / 0.002) : 0.0;
        // Saturated: a fuller body for the same peak, so the limiter has less to hold down.
        return 0.22 * note.velocity * std::tanh(2.5 * (hit(t, 0.001, 0.1) * body.sine(hz) + click));
    });
}

void snare(const Note& note, Mix& mix)
{
    Noise noise(seedOf(note));
    Oscillator tone;
    Svf band, low;
    play(note, mix, 0.3, 0.08, [&](double t) {
        const double body = 0.5 * hit(t, 0.001, 0.045) * tone.sine(190 * (1.0 + 0.3 * std::exp(-t / 0.01)));
        const double crack = low.process(band.process(noise.next(), 2800, 0.4).band, 7000, 0.0).low;
        const double rattle = hit(t, 0.001, 0.07) * crack;
        return 0.3 * note.velocity * (body + 1.4 * rattle);
    });
}

// Hats: noise through two narrow band-passes in a row at 5512 Hz, the frequency the spectrum
// level is read from, so that their hits drive the level without a hiss over all the highs; a
// faint airy top above 9 kHz. The hit decays with `tau` and is choked after `length` seconds
// (a closed hat is over before the next sixteenth). Times in seconds.
void hat(const Note& note, Mix& mix, double tau, double length, double gain)
{
    constexpr double kCentre = 5512, kResonance = 0.92;
    constexpr double kCentreGain = 1.0 / ((2.0 - 2.0 * kResonance) * (2.0 - 2.0 * kResonance));  // of both in a row
    Noise noise(seedOf(note));
    Svf first, second, air;
    play(note, mix, length, 0.0, [&](double t) {
        const double white = noise.next();
        const double band = second.process(first.process(white, kCentre, kResonance).band, kCentre, kResonance).band;
        const double shaped = band / kCentreGain + 0.05 * air.process(white, 9000, 0.0).high;
        const double choke = std::clamp((length - t) / 0.02, 0.0, 1.0);
        return gain * note.velocity * hit(t, 0.0008, tau) * choke * shaped;
    });
}

void crash(const Note& note, Mix& mix)
{
    Noise left(seedOf(note)), right(seedOf(note) * 7u + 1u);
    Svf highL, highR, lowL, lowR;
    const long first = std::lround(note.time * kRate);
    const long count = std::lround(3.0 * kRate);
    for (long i = 0; i < count && static_cast<size_t>(first + i) < mix.left.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double env = 0.17 * note.velocity * hit(t, 0.002, 0.7);
        const double l = lowL.process(highL.process(left.next(), 3500, 0.1).high, 9000, 0.0).low;
        const double r = lowR.process(highR.process(right.next(), 3500, 0.1).high, 9000, 0.0).low;
        mix.left[first + i] += static_cast<float>(env * l);
        mix.right[first + i] += static_cast<float>(env * r);
    }
}

void riser(const Note& note, Mix& mix)
{
    Noise noise(seedOf(note));
    Svf band;
    play(note, mix, note.length, 0.2, [&](double t) {
        const double u = t / note.length;
        return 0.07 * note.velocity * u * u * band.process(noise.next(), 300 + 4000 * u * u, 0.6).band;
    });
}

void boom(const Note& note, Mix& mix)
{
    Oscillator body;
    Noise noise(seedOf(note));
    Svf low;
    play(note, mix, 2.5, 0.1, [&](double t) {
        const double hz = 30 + 60 * std::exp(-t / 0.2);
        return 0.6 * note.velocity *
               (hit(t, 0.002, 0.8) * body.sine(hz) + 0.6 * hit(t, 0.001, 0.15) * low.process(noise.next(), 900, 0.1).low);
    });
}

}  // namespace

void render(const Note& note, Mix& mix)
{
    switch (note.voice) {
    case Voice::Pad: pad(note, mix); break;
    case Voice::Swell: swell(note, mix); break;
    case Voice::Arp: pluck(note, mix, 3200, 0.1, 0.3); break;
    case Voice::Stab: pluck(note, mix, 3000, 0.2, 0.2); break;
    case Voice::Bass: bass(note, mix); break;
    case Voice::Lead: lead(note, mix); break;
    case Voice::Kick: kick(note, mix); break;
    case Voice::Snare: snare(note, mix); break;
    case Voice::Hat: hat(note, mix, 0.034, 0.09, 0.52); break;
    case Voice::OpenHat: hat(note, mix, 0.1, 0.6, 0.3); break;
    case Voice::Crash: crash(note, mix); break;
    case Voice::Riser: riser(note, mix); break;
    case Voice::Boom: boom(note, mix); break;
    }
}
