#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/Assets.h"
#include "app/Checkpoints.h"
#include "app/Controls.h"
#include "app/Frame.h"
#include "app/FrameClock.h"
#include "app/IntroState.h"
#include "audio/MusicPlayer.h"

class Screen;

// What a run is to do, chosen by the program that drives it.
struct RunSettings {
    int32_t width = 1024;  // the render size
    int32_t height = 768;
    std::filesystem::path data = {};  // the data folder
    int32_t startMs = 0;         // a late start: the frames before it are caught up behind the bar
    bool catchUp = true;         // false: a late start begins at its moment with nothing run before
    std::optional<int32_t> holdMs = {};  // the one moment drawn, read back and shown from then on
    bool fixedStep = false;  // no pauses and no playing: frames only at the caller's moments (frameAt)
    bool loop = false;       // another pass after the end, as a new run would show it
    bool hearDemoTime = false;  // no sound device: the music "heard" is each frame's demo time
    bool fewerFlashes = false;  // the calm beat
    int32_t avOffsetMs = 0;     // the picture's delay behind the sound
    bool overlay = true;        // the viewer's overlay in the window (the page has a bar of its own)
    MusicPlayer::Decoding decoding = MusicPlayer::Decoding::Behind;
};

// What the viewer asked for since the last tick.
struct RunEvents {
    bool end = false;  // Escape, the window closed
    // Pausing and seeking, in the order asked; seeks asked together land once, where the last
    // of them leads.
    std::vector<Control> controls = {};
    // A seek to a moment (ms, kept within the intro) after them: the page's timeline.
    std::optional<int32_t> seekTo = {};
};

// What the program does after a tick.
struct RunStep {
    enum class Next {
        Wait,  // nothing new was drawn: tick again later (wakeAt says when something is due)
        Show,  // a frame was drawn: show it (swap)
        End,   // the intro is over, by itself or by the viewer: quit
        Fail,  // loading failed: Run::failure() says why
    };
    Next next = Next::Wait;
    bool firstFrame = false;  // the frame shown is the first of a pass, or the held moment
    int64_t wakeAt = 0;       // microseconds on the run's clock
};

// One run of the intro, from loading to its end, whatever drives it: the desktop loop, the
// page's animation frames, the capture tool's fixed frames and --check. It never waits: each
// tick does what the time (read from its clock, in microseconds) and the events allow and says
// what the program should do next.
//
// Loading runs a step per tick behind the bar, then a 300 ms settle; a late start is caught up
// in slices of 25 ms, the bar moving on each second of demo time; a start from the beginning
// pauses 300 ms with the music already playing; then one frame per tick until the end.
class Run {
public:
    enum class Phase { Loading, Settling, CatchingUp, Playing, Paused, Seeking, Holding, Ready, Ended, Failed };

    // Draws onto the screen; reads time from `now` (microseconds, never going back).
    Run(Gfx& g, MusicPlayer& music, Screen& screen, RunSettings settings,
        std::function<int64_t()> now = steadyMicroseconds);
    ~Run();
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    RunStep tick(const RunEvents& events);

    // Fixed-step runs, once Ready: draws the frame for demo time t (ms) on the clock set to t,
    // with the music heard there: one step on from the state as it stands.
    FrameResult frameAt(int32_t t);
    // The moment t (ms), the one meaning the intro gives it: the state that a run on a grid of
    // `fps` frames a second (60: the catch-up grid) reaches with its last step landing on t,
    // drawn. The grid's frames below t run without drawing, then one step at t. A late start
    // and a held moment reach theirs this way too, in slices. Moments are independent of each
    // other and of their order: the step at t is set aside by the next moment, which goes on
    // along the grid from where it stood, or from the loaded state when t lies before that.
    FrameResult drawMoment(int32_t t, int32_t fps = kCatchUpFps);
    // The state the moment t (ms) is drawn from, as drawMoment defines it, put in place without
    // drawing it (through the nearest checkpoint); what a seek does before its frame.
    void reachMoment(int32_t t);
    // Runs the grid ahead without drawing, keeping checkpoints, until every moment a seek may
    // reach has them, for at most `budget` microseconds (at least one frame) or until done;
    // true once done. The state drawn from is left as it was.
    bool runAhead(int64_t budget);
    const Checkpoints& checkpoints() const { return checkpoints_; }
    // The demo time of the frame shown last (ms), and whether the viewer holds it.
    int32_t shownMs() const { return shownMs_; }
    // The moment the viewer is at: the one shown, or the one a seek is on its way to.
    int32_t momentMs() const { return phase_ == Phase::Seeking ? seekTo_ : shownMs_; }
    // How long the last seek took from being asked for to its moment's state being in place,
    // ready to draw (microseconds of the run's clock); -1 before the first.
    int64_t lastSeekMicroseconds() const { return lastSeekUs_; }
    bool paused() const { return phase_ == Phase::Paused || (phase_ == Phase::Seeking && pauseAfterSeek_); }
    // Frame n of the capture tool's grid (demo time n / kCatchUpFps) run without drawing, as a
    // late start runs the frames before it: everything that carries from frame to frame moves
    // on as if it were drawn.
    void catchUpFrame(int32_t n) { stepUndrawn(frameTime(n)); }
    // Another pass from demo time 0, as a new run would show it: the state at the end of
    // loading put back.
    void restart();
    // Once loaded: the intro's whole state, clock included, as a value; and back, into the run
    // it was taken from, with the music heard from the copy's moment. A run of fixed steps put
    // back to a copy draws from there what it drew after the copy.
    IntroState save() const;
    void restore(const IntroState& state);

    Phase phase() const { return phase_; }
    const std::string& failure() const { return failure_; }
    // The held frame's pixels (the held moment, or the frame a pause holds), top row first, RGBA
    // at the render size, read back when first asked for; empty while none is held.
    const std::vector<uint8_t>& heldPixels();
    // Only once loaded.
    Intro& intro() { return *intro_; }
    Assets& assets() { return *assets_; }

    // A monotonic clock in microseconds, for the programs that run in real time.
    static int64_t steadyMicroseconds();

    // The pauses at the end of loading and at a start from the beginning, and the time a late
    // start's catch-up runs in one tick, microseconds.
    static constexpr int64_t kSettlePause = 300000;
    static constexpr int64_t kCatchUpSlice = 25000;
    // The time the grid's frames between two checkpoints take to run (so that a seek runs at most
    // that far), and the time run ahead in a tick that also draws a frame, microseconds.
    static constexpr int64_t kCheckpointEvery = 30000;
    static constexpr int64_t kAheadWhilePlaying = 4000;
    // How often a paused run shows its held frame again (the window may have changed), us.
    static constexpr int64_t kHeldShownEvery = 200000;
    // How long the overlay stays after a seek lands or the intro plays on, microseconds.
    static constexpr int64_t kOverlayAfterControl = 2000000;

private:
    RunStep load();
    void loaded();
    RunStep settled();
    RunStep catchUpSlice();
    RunStep play();
    RunStep hold(bool first = false);
    RunStep whilePaused();
    RunStep seekSlice();
    // The viewer's controls, applied in order.
    void control(const RunEvents& events);
    void pause();
    // The viewer's overlay over the frame as shown, while paused or seeking and for a while
    // after a control; never where no viewer watches.
    void drawOverlay();
    // `settle`: the pause of a start from the beginning.
    void startPlaying(int32_t startMs, bool settle = true);
    // The grid state before frame n, put in place.
    void reachGridFrame(int32_t n);
    // Runs the grid's frames on from the frontier (the intro's state being the frontier's) up to
    // frame n or for `budget` microseconds of the run's clock, keeping checkpoints; at least one.
    void stepFrontier(int32_t n, int64_t budget);
    // Starts the grid of `fps` frames a second afresh from the loaded state.
    void resetGrid(int32_t fps);
    // Draws moment t into the held target (made at the render size when first needed).
    Status drawHeld(int32_t t, std::optional<int64_t> heardFrame);
    // The manual counter at 0, the clock reset on it: where frames at given moments start.
    void resetClock();
    // The state of a copy, the music left as it is.
    void putBack(const IntroState& state);
    FrameResult drawNext();
    // A step to demo time t on the clock set to t, beating with the music there; frameAt also
    // has the music heard there when no sound device plays it.
    FrameResult stepTo(int32_t t);
    // A step to demo time t that runs everything without drawing.
    void stepUndrawn(int32_t t);
    Status holdMoment(int32_t t);
    RunStep fail(const std::string& message);

    Gfx& g_;
    MusicPlayer& music_;
    Screen& screen_;
    RunSettings settings_;
    std::function<int64_t()> now_;
    Phase phase_ = Phase::Loading;
    std::string failure_;

    Random random_;
    FrameClock clock_;
    int64_t manualMs_ = 0;  // the demo time frames at given moments are drawn at
    IntroState loadedState_;  // as loading left it, for another pass
    std::optional<AssetLoader> loader_;
    LoadingBar bar_;
    std::unique_ptr<Assets> assets_;
    std::optional<Intro> intro_;
    int64_t waitUntil_ = 0;  // the end of a pause, on the run's clock
    bool firstFrame_ = false;
    int32_t catchUpTotal_ = 0;
    // The grid every moment is defined on: its rate, the checkpoints kept along it, and how far it
    // has been run (the frontier: the state before frame frontierNext_).
    int32_t gridFps_ = 0;
    Checkpoints checkpoints_;
    int32_t frontierNext_ = 0;
    IntroState frontier_;
    int64_t sinceCheckpoint_ = 0;  // microseconds run since the last checkpoint
    // The viewer's moment: the frame shown, the state and beat it was drawn from (for a pause to
    // hold it), a seek on its way and whether it lands paused.
    int32_t shownMs_ = 0;
    std::optional<IntroState> beforeShown_;
    std::optional<int64_t> shownHeard_;  // none: a moment of the grid, drawn by frameAt
    int32_t seekTo_ = 0;
    int64_t seekAskedAt_ = 0;
    int64_t lastSeekUs_ = -1;
    bool pauseAfterSeek_ = false;
    int64_t heldShownAt_ = 0;
    bool heldValid_ = false;  // the held target holds the moment shown
    int64_t overlayUntil_ = 0;
    std::optional<RenderTarget> held_;  // the held moment, at the render size
    std::vector<uint8_t> heldPixels_;  // read back from held_ when asked for
};
