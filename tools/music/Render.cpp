#include "Render.h"

#include "Dsp.h"
#include "Instruments.h"
#include "Master.h"

namespace {
constexpr double kTargetLufs = -13.2;
constexpr double kCeilingDb = -3.0;
}  // namespace

Stem stemOf(Voice voice)
{
    switch (voice) {
    case Voice::Kick: return Stem::Kick;
    case Voice::Bass: return Stem::Bass;
    case Voice::Hat:
    case Voice::OpenHat: return Stem::Hats;
    case Voice::Snare: return Stem::Snare;
    case Voice::Pad: return Stem::Pads;
    case Voice::Stab:
    case Voice::Arp: return Stem::StabsArpeggio;
    case Voice::Lead: return Stem::Lead;
    case Voice::Swell:
    case Voice::Crash:
    case Voice::Riser:
    case Voice::Boom: return Stem::Effects;
    }
    return Stem::Effects;
}

const char* stemName(Stem stem)
{
    switch (stem) {
    case Stem::Kick: return "kick";
    case Stem::Bass: return "bass";
    case Stem::Hats: return "hats";
    case Stem::Snare: return "snare";
    case Stem::Pads: return "pads";
    case Stem::StabsArpeggio: return "stabs-arpeggio";
    case Stem::Lead: return "lead";
    case Stem::Effects: return "effects";
    }
    return "";
}

Rendering renderTrack(const std::vector<Note>& notes, double seconds, bool keepStems)
{
    const size_t frames = static_cast<size_t>(seconds * kRate);
    Rendering rendering;
    std::vector<float> sum(frames * 2);
    for (Stem stem : kStems) {
        Mix mix(frames);
        for (const Note& note : notes)
            if (stemOf(note.voice) == stem) render(note, mix);
        std::vector<float> finished = finish(mix, kFadeStart, kFadeEnd);
        for (size_t i = 0; i < sum.size(); ++i) sum[i] += finished[i];
        if (keepStems) rendering.stems.push_back(std::move(finished));
    }

    const float gain = static_cast<float>(dbToGain(kTargetLufs - integratedLoudness(sum)));
    for (float& s : sum) s *= gain;
    for (std::vector<float>& stem : rendering.stems)
        for (float& s : stem) s *= gain;
    limit(sum, kCeilingDb);
    rendering.track = std::move(sum);
    return rendering;
}
