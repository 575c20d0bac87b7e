#include "app/Run.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>

#include "app/ControlOverlay.h"
#include "app/FramePixels.h"
#include "app/Screen.h"

namespace {

RunStep show(bool firstFrame = false) { return {RunStep::Next::Show, firstFrame, 0}; }
RunStep waitUntil(int64_t when) { return {RunStep::Next::Wait, false, when}; }

// A budget of time that is never spent (microseconds; far from overflowing when added).
constexpr int64_t kNoLimit = std::numeric_limits<int64_t>::max() / 4;

}  // namespace

int64_t Run::steadyMicroseconds()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

Run::Run(Gfx& g, MusicPlayer& music, Screen& screen, RunSettings settings, std::function<int64_t()> now)
    : g_(g), music_(music), screen_(screen), settings_(std::move(settings)), now_(std::move(now))
{
    loader_.emplace(g_, random_, settings_.width, settings_.height, settings_.data);
    bar_.setTotal(AssetLoader::steps());
}

// What the run made goes before the music it may still be reading.
Run::~Run()
{
    held_.reset();
    intro_.reset();
    assets_.reset();
    loader_.reset();
}

RunStep Run::tick(const RunEvents& events)
{
    if (events.end && phase_ != Phase::Failed) phase_ = Phase::Ended;
    control(events);
    music_.decodeAhead();
    switch (phase_) {
    case Phase::Loading:
        return load();
    case Phase::Settling:
        if (now_() < waitUntil_) return waitUntil(waitUntil_);
        return settled();
    case Phase::CatchingUp:
        return catchUpSlice();
    case Phase::Playing:
        return play();
    case Phase::Paused:
        return whilePaused();
    case Phase::Seeking:
        return seekSlice();
    case Phase::Holding:
        return hold();
    case Phase::Ready:
        return waitUntil(std::numeric_limits<int64_t>::max());
    case Phase::Ended:
        return {RunStep::Next::End, false, 0};
    case Phase::Failed:
        break;
    }
    return {RunStep::Next::Fail, false, 0};
}

RunStep Run::fail(const std::string& message)
{
    failure_ = message;
    phase_ = Phase::Failed;
    return {RunStep::Next::Fail, false, 0};
}

RunStep Run::load()
{
    Result<bool> done = loader_->step();
    if (!done) return fail(done.message());
    ++bar_.current;
    bar_.draw(g_, screen_, settings_.width, settings_.height);
    if (done.value()) loaded();
    return show();
}

void Run::loaded()
{
    assets_ = loader_->take();
    loader_.reset();
    intro_.emplace(g_, *assets_, random_, music_, settings_.width, settings_.height);
    intro_->drawFewerFlashes(settings_.fewerFlashes);
    // The player keeps the track from one run to the next (the page's). Without a sound
    // device the intro runs silent, as opening it said.
    if (!music_.track() && music_.hasOutput())
        if (const Status loaded =
                music_.load((settings_.data / "music" / "tidewater.ogg").string().c_str(), settings_.decoding);
            !loaded.ok())
            std::fprintf(stderr, "orvale-invit: %s; the intro runs silent\n", loaded.message().c_str());
    resetClock();
    loadedState_ = save();
    resetGrid(kCatchUpFps);
    if (settings_.fixedStep) {
        music_.play(0);
        phase_ = Phase::Ready;
        return;
    }
    waitUntil_ = now_() + kSettlePause;
    phase_ = Phase::Settling;
}

void Run::resetClock()
{
    manualMs_ = 0;
    clock_.setSource(manualCounter(manualMs_));
    clock_.reset();
}

RunStep Run::settled()
{
    const int32_t start = settings_.holdMs ? *settings_.holdMs : settings_.startMs;
    if (start == 0 && !settings_.holdMs) {
        startPlaying(0);
        return waitUntil(waitUntil_);
    }
    if (!settings_.catchUp) {
        startPlaying(start);
        return play();
    }
    catchUpTotal_ = catchUpFrames(start);
    bar_ = LoadingBar{};
    bar_.setTotal(start / 1000 + 1);
    phase_ = Phase::CatchingUp;
    return catchUpSlice();
}

// The catch-up runs the grid's frontier itself, keeping checkpoints on the way.
RunStep Run::catchUpSlice()
{
    const int32_t barBefore = bar_.current;
    if (frontierNext_ < catchUpTotal_) stepFrontier(catchUpTotal_, kCatchUpSlice);
    // The bar moves on with each second of demo time caught up.
    bar_.current = frontierNext_ / kCatchUpFps;
    if (frontierNext_ < catchUpTotal_) {
        if (bar_.current == barBefore) return waitUntil(0);
        bar_.draw(g_, screen_, settings_.width, settings_.height);
        return show();
    }
    frontier_ = save();
    if (settings_.holdMs) {
        const Status held = holdMoment(*settings_.holdMs);
        if (!held.ok()) return fail(held.message());
        phase_ = Phase::Holding;
        return hold(true);
    }
    // The frame of the start as the capture tool draws it, then the intro from there.
    intro_->drawInto(screen_.beginFrame());
    frameAt(settings_.startMs);
    screen_.endFrame();
    shownMs_ = settings_.startMs;
    startPlaying(settings_.startMs);
    return show();
}

FrameResult Run::frameAt(int32_t t)
{
    // A sound device playing keeps its own position.
    if (!music_.audible()) music_.setVirtualTime(t / 1000.0);
    return stepTo(t);
}

FrameResult Run::stepTo(int32_t t)
{
    manualMs_ = t;
    clock_.update();
    return intro_->draw(t, clock_, std::llround(t / 1000.0 * Track::kRate));
}

void Run::stepUndrawn(int32_t t)
{
    g_.setDrawing(false);
    stepTo(t);
    g_.setDrawing(true);
}

FrameResult Run::drawMoment(int32_t t, int32_t fps)
{
    if (fps != gridFps_) resetGrid(fps);
    reachGridFrame(catchUpFrames(t, fps));
    return frameAt(t);
}

void Run::reachMoment(int32_t t) { reachGridFrame(catchUpFrames(t, gridFps_)); }

void Run::resetGrid(int32_t fps)
{
    gridFps_ = fps;
    checkpoints_.clear();
    checkpoints_.add(0, loadedState_);
    frontier_ = loadedState_;
    frontierNext_ = 0;
    sinceCheckpoint_ = 0;
}

void Run::stepFrontier(int32_t n, int64_t budget)
{
    int64_t last = now_();
    const int64_t deadline = last + budget;
    do {
        stepUndrawn(frameTime(frontierNext_++, gridFps_));
        const int64_t end = now_();
        sinceCheckpoint_ += end - last;
        last = end;
        if (sinceCheckpoint_ >= kCheckpointEvery) {
            checkpoints_.add(frontierNext_, save());
            sinceCheckpoint_ = 0;
        }
    } while (frontierNext_ < n && last < deadline);
}

void Run::reachGridFrame(int32_t n)
{
    if (n >= frontierNext_) {
        putBack(frontier_);
        if (frontierNext_ < n) {
            stepFrontier(n, kNoLimit);
            frontier_ = save();
        }
        return;
    }
    IntroState from;
    int32_t k = checkpoints_.restoreAtOrBelow(n, from);
    putBack(from);
    for (; k < n; ++k) stepUndrawn(frameTime(k, gridFps_));
}

bool Run::runAhead(int64_t budget)
{
    const int32_t all = catchUpFrames(lastSeekableMoment(), gridFps_) + 1;
    if (frontierNext_ >= all) return true;
    const IntroState drawnFrom = save();
    putBack(frontier_);
    stepFrontier(all, budget);
    frontier_ = save();
    putBack(drawnFrom);
    return frontierNext_ >= all;
}

void Run::startPlaying(int32_t startMs, bool settle)
{
    music_.play(int64_t{startMs} * Track::kRate / 1000);
    clock_.setSource(music_.audible() ? musicCounterFrom(music_, now_, startMs, settings_.avOffsetMs)
                                      : runningCounterFrom(now_, startMs));
    waitUntil_ = startMs == 0 && settle ? now_() + kSettlePause : 0;
    firstFrame_ = true;
    heldValid_ = false;
    phase_ = Phase::Playing;
}

FrameResult Run::drawNext()
{
    clock_.update();
    const int32_t t = demoMilliseconds(clock_.elapsed);
    if (settings_.hearDemoTime) music_.setVirtualTime(t / 1000.0);
    // Kept for a pause, which draws this frame again to hold it.
    beforeShown_ = save();
    shownHeard_ = music_.heardFrame();
    shownMs_ = t;
    return intro_->draw(t, clock_, shownHeard_);
}

RunStep Run::play()
{
    if (now_() < waitUntil_) return waitUntil(waitUntil_);
    intro_->drawInto(screen_.beginFrame());
    const bool ended = drawNext().ended;
    screen_.endFrame();
    drawOverlay();
    const RunStep step = show(firstFrame_);
    firstFrame_ = false;
    runAhead(kAheadWhilePlaying);
    if (ended) {
        if (settings_.loop)
            restart();
        else
            phase_ = Phase::Ended;
    }
    return step;
}

IntroState Run::save() const
{
    IntroState state = intro_->save();
    state.clock = clock_;
    state.manualMs = manualMs_;
    return state;
}

void Run::putBack(const IntroState& state)
{
    intro_->restore(state);
    clock_ = state.clock;
    manualMs_ = state.manualMs;
}

void Run::restore(const IntroState& state)
{
    putBack(state);
    // The music heard from the copy's moment, which may lie before what was heard last.
    music_.play(int64_t{demoMilliseconds(clock_.elapsed)} * Track::kRate / 1000);
}

void Run::restart()
{
    putBack(loadedState_);
    if (settings_.fixedStep)
        music_.play(0);
    else
        startPlaying(0);
}

Status Run::drawHeld(int32_t t, std::optional<int64_t> heardFrame)
{
    if (!held_) {
        Result<RenderTarget> target = g_.createTarget(settings_.width, settings_.height);
        if (!target) return Failure{target.message()};
        held_.emplace(target.take());
    }
    intro_->drawInto(&*held_);
    if (heardFrame)
        intro_->draw(t, clock_, heardFrame);
    else
        frameAt(t);
    intro_->drawInto(nullptr);
    heldPixels_.clear();
    heldValid_ = true;
    return {};
}

void Run::drawOverlay()
{
    const bool seeking = phase_ == Phase::Seeking;
    if (!settings_.overlay || !(phase_ == Phase::Paused || seeking || now_() < overlayUntil_)) return;
    const std::optional<PixelBox> shown = screen_.bindShown();
    if (!shown) return;
    const OverlayState state{momentMs(), paused(), seeking};
    drawControlOverlay(g_, *assets_->font, shown->width, shown->height, state);
}

Status Run::holdMoment(int32_t t) { return drawHeld(t, {}); }

const std::vector<uint8_t>& Run::heldPixels()
{
    if ((phase_ != Phase::Holding && phase_ != Phase::Paused) || !held_) {
        heldPixels_.clear();
    } else if (heldPixels_.empty()) {
        g_.bindTarget(&*held_);
        std::vector<uint8_t> rows;
        readFrame(g_, settings_.width, settings_.height, rows);
        heldPixels_ = flipRows(rows.data(), settings_.height, static_cast<size_t>(settings_.width) * 4);
    }
    return heldPixels_;
}

void Run::control(const RunEvents& events)
{
    const bool watching = phase_ == Phase::Playing || phase_ == Phase::Paused || phase_ == Phase::Seeking;
    if (!watching || (events.controls.empty() && !events.seekTo)) return;
    const bool wasSeeking = phase_ == Phase::Seeking;
    bool pausing = paused();
    std::optional<int32_t> to;
    for (const Control c : events.controls) {
        if (c == Control::PlayPause) {
            pausing = !pausing;
            continue;
        }
        const int32_t from = to ? *to : wasSeeking ? seekTo_ : shownMs_;
        if (const std::optional<int32_t> t = seekTarget(c, from, pausing)) to = t;
    }
    if (events.seekTo) to = std::clamp(*events.seekTo, 0, lastSeekableMoment());
    if (to) {
        if (phase_ == Phase::Playing) music_.pause(true);
        if (!wasSeeking) seekAskedAt_ = now_();
        seekTo_ = *to;
        pauseAfterSeek_ = pausing;
        phase_ = Phase::Seeking;
    } else if (wasSeeking) {
        pauseAfterSeek_ = pausing;
    } else if (pausing && phase_ == Phase::Playing) {
        pause();
    } else if (!pausing && phase_ == Phase::Paused) {
        startPlaying(shownMs_, false);
        overlayUntil_ = now_() + kOverlayAfterControl;
    }
}

// The frame shown is drawn again into the held target from the state it was drawn from (a frame
// played with its clock's reading and the beat heard then, a seek's moment as the seek drew
// it), then the state after it put back: the intro goes on from there when it plays again.
void Run::pause()
{
    music_.pause(true);
    phase_ = Phase::Paused;
    heldShownAt_ = 0;
    if (!beforeShown_) return;
    const IntroState after = save();
    putBack(*beforeShown_);
    if (const Status drawn = drawHeld(shownMs_, shownHeard_); !drawn.ok()) fail(drawn.message());
    putBack(after);
}

RunStep Run::whilePaused()
{
    const bool done = runAhead(kCatchUpSlice);
    if (!heldValid_ || now_() - heldShownAt_ < kHeldShownEvery)
        return done ? waitUntil(heldShownAt_ + kHeldShownEvery) : waitUntil(0);
    heldShownAt_ = now_();
    return hold();
}

// A seek runs the grid from the nearest checkpoint; past the frontier it runs the frontier on,
// a slice a tick, the music held, until it gets there. Then the moment is drawn: held when
// paused, or shown with the intro playing on from it.
RunStep Run::seekSlice()
{
    const int32_t n = catchUpFrames(seekTo_, gridFps_);
    if (frontierNext_ < n) {
        putBack(frontier_);
        stepFrontier(n, kCatchUpSlice);
        frontier_ = save();
        if (frontierNext_ < n) {
            // A held frame stays shown meanwhile, the overlay saying that the seek is on its way.
            if (!heldValid_ || now_() - heldShownAt_ < kHeldShownEvery) return waitUntil(0);
            heldShownAt_ = now_();
            return hold();
        }
    }
    reachGridFrame(n);
    lastSeekUs_ = now_() - seekAskedAt_;
    overlayUntil_ = now_() + kOverlayAfterControl;
    shownMs_ = seekTo_;
    // A pause draws a moment of the grid again as the seek drew it.
    beforeShown_ = save();
    shownHeard_.reset();
    if (pauseAfterSeek_) {
        if (const Status drawn = drawHeld(seekTo_, {}); !drawn.ok()) return fail(drawn.message());
        phase_ = Phase::Paused;
        heldShownAt_ = now_();
        return hold();
    }
    intro_->drawInto(screen_.beginFrame());
    frameAt(seekTo_);
    screen_.endFrame();
    drawOverlay();
    startPlaying(seekTo_, false);
    firstFrame_ = false;
    return show();
}

RunStep Run::hold(bool first)
{
    const PixelBox whole{0, 0, settings_.width, settings_.height};
    g_.blit(&*held_, whole, screen_.beginFrame(), whole, false);
    screen_.endFrame();
    drawOverlay();
    return show(first);
}
