#pragma once

#include <array>
#include <vector>

#include "Score.h"

// The track is mixed from stems, groups of voices that are rendered, echoed and faded on
// their own and then summed; written alone, they let a voice be heard and measured by itself.
enum class Stem { Kick, Bass, Hats, Snare, Pads, StabsArpeggio, Lead, Effects };
inline constexpr int kStemCount = 8;
inline constexpr std::array<Stem, kStemCount> kStems = {Stem::Kick, Stem::Bass,          Stem::Hats, Stem::Snare,
                                                        Stem::Pads, Stem::StabsArpeggio, Stem::Lead, Stem::Effects};

Stem stemOf(Voice voice);
// A short lower-case name, usable as a file name: "kick", "stabs-arpeggio", ...
const char* stemName(Stem stem);

struct Rendering {
    std::vector<float> track;  // interleaved stereo, loudness-matched and limited
    // Interleaved stereo per stem (in kStems order) at the track's gain and without the
    // limiter: they sum to the track before it is limited. Empty unless asked for.
    std::vector<std::vector<float>> stems;
};

// Renders `notes` into `seconds` of stereo at 44100 Hz, faded out from kFadeStart to
// kFadeEnd, at -13.2 LUFS integrated with no sample above -3 dBFS.
Rendering renderTrack(const std::vector<Note>& notes, double seconds, bool keepStems);
