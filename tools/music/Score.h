#pragma once

#include <vector>

// The instruments of the track.
enum class Voice { Pad, Arp, Bass, Lead, Stab, Swell, Kick, Snare, Hat, OpenHat, Crash, Riser, Boom };

// One note or drum hit: when it starts and how long it is held (seconds), its pitch (MIDI
// note number; drums ignore it), its loudness (0 to 1) and its place from left (-1) to right (1).
struct Note {
    Voice voice;
    double time;
    double length;
    double pitch;
    double velocity;
    double pan;
};

// The whole track as notes, in the order they were written.
std::vector<Note> score();

// Where the track's sections begin, in seconds: the intro's scene changes.
std::vector<double> sectionStarts();

// The length of the rendered track, seconds, and when its fade-out has ended.
inline constexpr double kTrackSeconds = 208.0;
inline constexpr double kFadeStart = 196.0;
inline constexpr double kFadeEnd = 204.0;
