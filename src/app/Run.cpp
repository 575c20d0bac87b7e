#include "app/Run.h"

#include <chrono>
#include <cstdio>
#include <limits>
#include <utility>

#include "app/FramePixels.h"
#include "app/Screen.h"

namespace {

RunStep show(bool firstFrame = false) { return {RunStep::Next::Show, firstFrame, 0}; }
RunStep waitUntil(int64_t when) { return {RunStep::Next::Wait, false, when}; }

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
    caughtUp_ = 0;
    catchUpTotal_ = catchUpFrames(start);
    bar_ = LoadingBar{};
    bar_.setTotal(start / 1000 + 1);
    phase_ = Phase::CatchingUp;
    return catchUpSlice();
}

RunStep Run::catchUpSlice()
{
    const int64_t until = now_() + kCatchUpSlice;
    const int32_t barBefore = bar_.current;
    // At least one frame a tick, however slow each is.
    while (caughtUp_ < catchUpTotal_) {
        catchUpFrame(caughtUp_++);
        // The bar moves on with each second of demo time caught up.
        if (caughtUp_ % kCatchUpFps == 0) ++bar_.current;
        if (now_() >= until) break;
    }
    if (caughtUp_ < catchUpTotal_) {
        if (bar_.current == barBefore) return waitUntil(0);
        bar_.draw(g_, screen_, settings_.width, settings_.height);
        return show();
    }
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
    startPlaying(settings_.startMs);
    return show();
}

FrameResult Run::frameAt(int32_t t)
{
    manualMs_ = t;
    music_.setVirtualTime(t / 1000.0);
    clock_.update();
    return intro_->draw(t, clock_);
}

void Run::stepUndrawn(int32_t t)
{
    g_.setDrawing(false);
    frameAt(t);
    g_.setDrawing(true);
}

FrameResult Run::drawMoment(int32_t t, int32_t fps)
{
    const int32_t below = catchUpFrames(t, fps);
    if (onGrid_ && gridFps_ == fps && gridNext_ <= below) {
        putBack(*onGrid_);
    } else {
        putBack(loadedState_);
        gridFps_ = fps;
        gridNext_ = 0;
    }
    for (; gridNext_ < below; ++gridNext_) stepUndrawn(frameTime(gridNext_, fps));
    onGrid_ = save();
    return frameAt(t);
}

void Run::startPlaying(int32_t startMs)
{
    music_.play(int64_t{startMs} * Track::kRate / 1000);
    clock_.setSource(music_.audible() ? musicCounterFrom(music_, now_, startMs, settings_.avOffsetMs)
                                      : runningCounterFrom(now_, startMs));
    waitUntil_ = startMs == 0 ? now_() + kSettlePause : 0;
    firstFrame_ = true;
    phase_ = Phase::Playing;
}

FrameResult Run::drawNext()
{
    clock_.update();
    const int32_t t = demoMilliseconds(clock_.elapsed);
    if (settings_.hearDemoTime) music_.setVirtualTime(t / 1000.0);
    return intro_->draw(t, clock_);
}

RunStep Run::play()
{
    if (now_() < waitUntil_) return waitUntil(waitUntil_);
    intro_->drawInto(screen_.beginFrame());
    const bool ended = drawNext().ended;
    screen_.endFrame();
    const RunStep step = show(firstFrame_);
    firstFrame_ = false;
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

Status Run::holdMoment(int32_t t)
{
    Result<RenderTarget> target = g_.createTarget(settings_.width, settings_.height);
    if (!target) return Failure{target.message()};
    held_.emplace(target.take());
    intro_->drawInto(&*held_);
    frameAt(t);
    g_.bindTarget(&*held_);
    std::vector<uint8_t> rows;
    readFrame(g_, settings_.width, settings_.height, rows);
    heldPixels_ = flipRows(rows.data(), settings_.height, static_cast<size_t>(settings_.width) * 4);
    return {};
}

RunStep Run::hold(bool first)
{
    const PixelBox whole{0, 0, settings_.width, settings_.height};
    g_.blit(&*held_, whole, screen_.beginFrame(), whole, false);
    screen_.endFrame();
    return show(first);
}
