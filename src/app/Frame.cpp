#include "app/Frame.h"

#include "app/FrameClock.h"
#include "audio/MusicPlayer.h"
#include "gfx/FullScreenQuad.h"

namespace {

// The level of what the music player is playing, stepped or calm, asked for when a scene
// needs it.
class MusicBeat final : public BeatLevel {
public:
    MusicBeat(MusicPlayer& music, bool calm) : music_(music), calm_(calm) {}
    float level() override { return calm_ ? music_.calmLevel() : static_cast<float>(music_.spectrumLevel()); }

private:
    MusicPlayer& music_;
    bool calm_;
};

// Every finished frame is multiplied by the overlay picture: the intro's "screen" look.
void multiplyOverlay(Gfx& g, const FullScreenQuad& quad, TextureId overlay)
{
    g.colour(1, 1, 1, 1);
    quad.draw(g, DrawState{.blend = Blend::Multiply, .texture = overlay});
}

}  // namespace

int32_t demoMilliseconds(float elapsedSeconds)
{
    const double ms = elapsedSeconds * 1000.0;
    // Past about 24 days the count no longer fits; it stays at the last millisecond.
    if (ms >= 2147483647.0) return 2147483647;
    return static_cast<int32_t>(ms);
}

Intro::Intro(Gfx& g, Assets& assets, MusicPlayer& music, int32_t width, int32_t height)
    : g_(g), assets_(assets), music_(music), width_(width), height_(height)
{
}

void Intro::prepare(const std::filesystem::path& data)
{
    music_.load((data / "music" / "tidewater.ogg").string().c_str());
}

void Intro::start(int32_t startMs) { music_.play(int64_t{startMs} * Track::kRate / 1000); }

FrameResult Intro::renderNext()
{
    frameClock.update();
    const int32_t t = demoMilliseconds(frameClock.elapsed);
    if (hearDemoTime_) music_.setVirtualTime(t / 1000.0);
    return render(t);
}

FrameResult Intro::renderAt(int32_t t)
{
    setManualCounter(t);
    music_.setVirtualTime(t / 1000.0);
    frameClock.update();
    return render(t);
}

int32_t catchUpFrames(int32_t t) { return static_cast<int32_t>((int64_t{t} * kCatchUpFps + 999) / 1000); }

void Intro::catchUpFrame(int32_t n)
{
    g_.setDrawing(false);
    renderAt(static_cast<int32_t>(int64_t{n} * 1000 / kCatchUpFps));
    g_.setDrawing(true);
}

void Intro::catchUp(int32_t t, const std::function<bool(int32_t, int32_t)>& goOn)
{
    const int32_t frames = catchUpFrames(t);
    for (int32_t n = 0; n < frames; ++n) {
        catchUpFrame(n);
        if (!goOn(n + 1, frames)) break;
    }
}

void Intro::restart()
{
    assets_.restart();
    g_.reset();
    clearLevel_ = kFirstClearLevel;
}

Status Intro::resize(int32_t width, int32_t height)
{
    width_ = width;
    height_ = height;
    return assets_.resizeTargets(width, height);
}

FrameResult Intro::render(int32_t t)
{
    MusicBeat beat(music_, fewerFlashes_);
    const FrameContext frame{t, frameClock.elapsed, frameClock.frameDelta, width_, height_, output_, &beat,
                             scenesDrawn_};
    Stage stage = assets_.stage();
    const FrameResult result = drawFrame(g_, stage, frame, clearLevel_);
    multiplyOverlay(g_, stage.shared.quad, assets_.overlayPicture());
    clearLevel_ = result.clearLevel;
    return result;
}
