#pragma once

#include <cstdint>
#include <optional>

// What a viewer can ask of the intro while watching, whatever the keys or buttons that ask it.
enum class Control {
    PlayPause,     // pause, or play on from the moment shown
    Back,          // 5 s back
    On,            // 5 s on
    ChapterStart,  // the start of the chapter shown, or of the one before near its start
    NextChapter,   // the start of the next chapter
    Start,         // the start of the intro
    FrameOn,       // one frame of the catch-up grid on, while paused
    FrameBack,     // one frame of the catch-up grid back, while paused
};

// How far Back and On move, and how near a chapter's start ChapterStart goes to the one before.
inline constexpr int32_t kSeekStepMs = 5000;
inline constexpr int32_t kChapterBackWithinMs = 2000;

// The last moment a seek reaches: the last frame of the catch-up grid before the intro ends
// itself (ms).
int32_t lastSeekableMoment();

// Where a control moves the moment shown from t (ms), kept within 0 and lastSeekableMoment();
// none when it does not move it: play and pause, a frame step while playing, the next chapter
// from the last.
std::optional<int32_t> seekTarget(Control control, int32_t t, bool paused);
