// The score: D minor, around 120 BPM. Every section lasts a whole number of beats and ends
// exactly on a scene change of the intro, so its tempo is stretched a little (at most 1.5 %)
// to fit: 28 beats of calm opening, 32 of build-up with a hit and a swell, 60 and 56 of the
// main groove (the lead enters in the second), 54 of a half-time variation that builds to the
// white flash, 60 of the fullest part, and an outro that thins out and fades.
#include "Score.h"

#include <string>

namespace {

// A chord: root (MIDI) and the pitches of its pad voicing.
struct Chord {
    int root;
    int voicing[4];
};
constexpr Chord Dm{38, {50, 53, 57, 62}};
constexpr Chord Bb{34, {50, 53, 58, 62}};
constexpr Chord F{41, {48, 53, 57, 60}};
constexpr Chord C{36, {48, 52, 55, 60}};
constexpr Chord Gm{43, {50, 55, 58, 62}};
constexpr Chord A{45, {49, 52, 57, 61}};

// The progression, one chord per bar, repeating.
const Chord* const kLoop[4] = {&Dm, &Bb, &F, &C};
const Chord* const kCadence[4] = {&Dm, &Bb, &Gm, &A};

// Drum patterns, one character per sixteenth of a bar: '.' rest, '1' to '9' loudness in tenths.
struct DrumBar {
    const char* kick;
    const char* snare;
    const char* hat;
    const char* openHat;
};
constexpr DrumBar kGroove{"9.....7.9.5.....", "....9.......9..4", "9575957595759575", "................"};
constexpr DrumBar kGrooveB{"9.....7.9.5...6.", "....9.......9.36", "9575957595759575", "..............6."};
constexpr DrumBar kHalfTime{"9.........7.....", "........9.......", "8.5.8.5.8.5.8.5.", "..7.......7....."};
constexpr DrumBar kFull{"9...9...9...9.6.", "....9.......9..5", "9575957595759575", "..5...5...5...5."};
constexpr DrumBar kFill{"9.......9.......", "....9...76789999", "95759575........", "................"};

// The lead melody: eight bars of (beat in the phrase, length in beats, MIDI note).
struct Phrase {
    double beat, length;
    int pitch;
};
constexpr Phrase kMelody[] = {
    {0, 1.5, 69},   {1.5, 0.5, 65}, {2, 1, 67},     {3, 1, 69},    {4, 1.5, 74},  {5.5, 0.5, 72}, {6, 2, 70},
    {8, 1, 69},     {9, 1, 65},     {10, 1, 67},    {11, 1, 65},   {12, 3, 64},   {15, 1, 60},    {16, 1.5, 69},
    {17.5, 0.5, 65}, {18, 1, 67},   {19, 1, 69},    {20, 1.5, 77}, {21.5, 0.5, 76}, {22, 2, 74},  {24, 1, 72},
    {25, 0.5, 70},  {25.5, 0.5, 69}, {26, 1, 67},   {27, 1, 64},   {28, 4, 62},
};

// Writes the notes of one section. Beat b of the section falls at start + b * beatLength.
class Section {
public:
    Section(std::vector<Note>& notes, double start, double end, int beats)
        : notes_(notes), start_(start), beat_((end - start) / beats), beats_(beats)
    {
    }
    int bars() const { return (beats_ + 3) / 4; }
    double at(double beat) const { return start_ + beat * beat_; }
    double beats(double count) const { return count * beat_; }

    void add(Voice voice, double beat, double lengthBeats, double pitch, double velocity, double pan = 0.0)
    {
        if (beat >= beats_) return;
        notes_.push_back({voice, at(beat), beats(lengthBeats), pitch, velocity, pan});
    }

    // Pad chords, one per bar, from `first` to `last` bar.
    void pads(const Chord* const* chords, int first, int last, double velocity)
    {
        for (int bar = first; bar < last; ++bar)
            for (int i = 0; i < 4; ++i)
                add(Voice::Pad, bar * 4, 4, chords[bar % 4]->voicing[i], velocity, i % 2 ? 0.8 : -0.8);
    }
    // Sixteenth-note arpeggio over the chord tones, rising over two octaves.
    void arpeggio(const Chord* const* chords, int first, int last, double velocity)
    {
        static constexpr int order[8] = {0, 1, 2, 3, 1, 2, 3, 2};
        for (int bar = first; bar < last; ++bar)
            for (int step = 0; step < 16; ++step) {
                const int octave = step / 8 * 12;
                const double accent = step % 4 == 0 ? 1.0 : 0.7;
                add(Voice::Arp, bar * 4 + step * 0.25, 0.25, chords[bar % 4]->voicing[order[step % 8]] + 12 + octave,
                    velocity * accent, step % 2 ? 0.7 : -0.7);
            }
    }
    // Eighth-note bass on the chord roots, jumping an octave on the offbeats of each second beat.
    void bass(const Chord* const* chords, int first, int last, double velocity)
    {
        for (int bar = first; bar < last; ++bar)
            for (int step = 0; step < 8; ++step) {
                const int jump = step == 3 || step == 7 ? 12 : 0;
                add(Voice::Bass, bar * 4 + step * 0.5, 0.45, chords[bar % 4]->root + jump, velocity * (step % 2 ? 0.8 : 1.0));
            }
    }
    void stabs(const Chord* const* chords, int first, int last, double velocity)
    {
        for (int bar = first; bar < last; ++bar)
            for (double beat : {0.5, 1.75, 2.5, 3.5})
                for (int i = 0; i < 3; ++i)
                    add(Voice::Stab, bar * 4 + beat, 0.25, chords[bar % 4]->voicing[i] + 24, velocity, i - 1.0);
    }
    void drums(const DrumBar& pattern, int bar, double velocity)
    {
        // `pan` on the beats, `swing` of it the other way on the sixteenths between them.
        auto hits = [&](const char* steps, Voice voice, double pan, double swing) {
            for (int step = 0; step < 16; ++step)
                if (steps[step] != '.')
                    add(voice, bar * 4 + step * 0.25, 0.25, 0, velocity * (steps[step] - '0') / 9.0,
                        step % 2 ? -pan * swing : pan);
        };
        hits(pattern.kick, Voice::Kick, 0.0, 0.0);
        hits(pattern.snare, Voice::Snare, 0.05, 0.0);
        hits(pattern.hat, Voice::Hat, 0.5, 0.8);
        hits(pattern.openHat, Voice::OpenHat, -0.5, 1.0);
    }
    // The groove over bars [first, last), with a fill in the last bar of the section.
    void groove(const DrumBar& a, const DrumBar& b, int first, int last, double velocity)
    {
        for (int bar = first; bar < last; ++bar)
            drums(bar == bars() - 1 ? kFill : (bar % 2 ? b : a), bar, velocity);
    }
    void melody(int firstBar, int lastBar, double velocity, int transpose = 0)
    {
        for (int bar = firstBar; bar < lastBar; bar += 8)
            for (const Phrase& p : kMelody)
                if (bar * 4 + p.beat < lastBar * 4) add(Voice::Lead, bar * 4 + p.beat, p.length, p.pitch + transpose, velocity);
    }
    void crash(double beat, double velocity) { add(Voice::Crash, beat, 8, 0, velocity); }

private:
    std::vector<Note>& notes_;
    double start_;
    double beat_;
    int beats_;
};

// The scene changes of the intro, seconds.
constexpr double kA = 0.0, kB = 14.11, kC = 30.0, kD = 60.0, kE = 88.23, kF = 115.36, kOutro = 145.0;
constexpr double kHit = 27.92;    // the picture freezes and the shock wave runs
constexpr double kFlash = 29.28;  // the flash is brightest

}  // namespace

std::vector<double> sectionStarts() { return {kA, kB, kC, kD, kE, kF, kOutro}; }

std::vector<Note> score()
{
    std::vector<Note> notes;

    // Scene A: the logo. Pads and a soft, dark arpeggio; a swell leads into B.
    Section a(notes, kA, kB, 28);
    a.pads(kLoop, 0, 7, 0.6);
    a.arpeggio(kLoop, 2, 7, 0.35);
    a.add(Voice::Riser, 20, 8, 0, 0.5);

    // Scene B: fire and meteor. Bass and hats come in, a riser climbs to the hit, then a
    // swell rises to the flash and breaks off just before C.
    Section b(notes, kB, kC, 32);
    b.crash(0, 0.8);
    b.pads(kLoop, 0, 7, 0.5);
    b.arpeggio(kLoop, 0, 7, 0.55);
    b.bass(kLoop, 2, 7, 0.8);
    for (int bar = 2; bar < 7; ++bar)
        for (int step = 0; step < 16; step += bar < 4 ? 2 : 1)
            b.add(Voice::Hat, bar * 4 + step * 0.25, 0.25, 0, (step % 4 == 0 ? 0.9 : 0.55) * (0.6 + bar * 0.08), 0.3);
    for (int bar = 4; bar < 7; ++bar) b.add(Voice::Kick, bar * 4, 0.5, 0, 0.8), b.add(Voice::Kick, bar * 4 + 2, 0.5, 0, 0.8);
    const double hitBeat = (kHit - kB) / ((kC - kB) / 32);
    const double flashBeat = (kFlash - kB) / ((kC - kB) / 32);
    b.add(Voice::Riser, 16, hitBeat - 16, 0, 0.9);
    b.add(Voice::Boom, hitBeat, 4, 0, 1.0);
    b.crash(hitBeat, 1.0);
    for (int i = 0; i < 4; ++i) b.add(Voice::Swell, hitBeat, flashBeat - hitBeat, Dm.voicing[i] + 12, 0.9, i % 2 ? 0.5 : -0.5);

    // Scene C: the main groove.
    Section c(notes, kC, kD, 60);
    c.crash(0, 0.9);
    c.groove(kGroove, kGrooveB, 0, 15, 1.0);
    c.bass(kLoop, 0, 15, 1.0);
    c.pads(kLoop, 0, 15, 0.5);
    c.stabs(kLoop, 4, 15, 0.5);

    // Scene D: the groove with the lead melody.
    Section d(notes, kD, kE, 56);
    d.crash(0, 0.9);
    d.groove(kGroove, kGrooveB, 0, 14, 1.0);
    d.bass(kLoop, 0, 14, 1.0);
    d.pads(kLoop, 0, 14, 0.45);
    d.melody(0, 14, 0.8);

    // Scene E: half time under the arpeggio, building over its last bars to the white flash.
    Section e(notes, kE, kF, 54);
    e.crash(0, 0.9);
    for (int bar = 0; bar < 10; ++bar) e.drums(kHalfTime, bar, 0.9);
    for (int bar = 10; bar < 14; ++bar)
        for (int step = 0; step < 16; step += bar < 12 ? 2 : 1)
            e.add(Voice::Snare, bar * 4 + step * 0.25, 0.25, 0, 0.4 + 0.5 * ((bar - 10) * 16 + step) / 64.0);
    e.bass(kCadence, 0, 14, 0.9);
    e.pads(kCadence, 0, 14, 0.45);
    e.arpeggio(kCadence, 0, 14, 0.5);
    e.add(Voice::Riser, 38, 16, 0, 1.0);

    // Scene F: the fullest part, the melody an octave higher over everything.
    Section f(notes, kF, kOutro, 60);
    f.crash(0, 1.0);
    f.groove(kFull, kFull, 0, 13, 1.0);
    // A break before the outro: only the kick and the fill.
    for (int bar = 13; bar < 15; ++bar)
        for (int beat = 0; beat < 4; ++beat) f.add(Voice::Kick, bar * 4 + beat, 0.5, 0, 0.9);
    f.drums(kFill, 14, 1.0);
    f.bass(kLoop, 0, 15, 1.0);
    f.pads(kLoop, 0, 15, 0.5);
    f.arpeggio(kLoop, 0, 15, 0.4);
    f.stabs(kLoop, 0, 15, 0.4);
    f.melody(0, 15, 0.75, 12);

    // Outro: the closing picture and the invitation. The drums leave after eight bars, the
    // bass after sixteen; pads and arpeggio remain and fade out by kFadeEnd.
    Section o(notes, kOutro, kTrackSeconds, 126);
    o.crash(0, 1.0);
    for (int bar = 0; bar < 8; ++bar) o.drums(bar < 7 ? kGroove : kFill, bar, 0.9 - bar * 0.05);
    o.bass(kLoop, 0, 16, 0.8);
    o.pads(kLoop, 0, 30, 0.5);
    o.arpeggio(kLoop, 4, 30, 0.4);
    o.melody(8, 16, 0.5);
    return notes;
}
