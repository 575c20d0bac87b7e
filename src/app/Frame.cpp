#include "app/Frame.h"

#include "audio/MusicPlayer.h"

namespace {

// The level of the music, stepped or calm, asked for when a scene needs it: of what the player
// is heard playing, or of a given frame of the track.
class MusicBeat final : public BeatLevel {
public:
    MusicBeat(MusicPlayer& music, bool calm, std::optional<int64_t> at) : music_(music), calm_(calm), at_(at) {}
    float level() override
    {
        const int64_t heard = at_ ? *at_ : music_.heardFrame();
        return calm_ ? music_.calmLevelAt(heard) : static_cast<float>(music_.spectrumLevelAt(heard));
    }

private:
    MusicPlayer& music_;
    bool calm_;
    std::optional<int64_t> at_;
};

}  // namespace

int32_t demoMilliseconds(float elapsedSeconds)
{
    const double ms = elapsedSeconds * 1000.0;
    // Past about 24 days the count no longer fits; it stays at the last millisecond.
    if (ms >= 2147483647.0) return 2147483647;
    return static_cast<int32_t>(ms);
}

Intro::Intro(Gfx& g, Assets& assets, Random& random, MusicPlayer& music, int32_t width, int32_t height)
    : g_(g), assets_(assets), random_(random), music_(music), width_(width), height_(height)
{
}

int32_t catchUpFrames(int32_t t, int32_t fps) { return static_cast<int32_t>((int64_t{t} * fps + 999) / 1000); }

IntroState Intro::save() const
{
    IntroState state;
    state.random = random_;
    state.emitters = assets_.emitters;
    state.meteorFlames = assets_.burning->meteorFlames();
    state.ribbons = assets_.ribbons->ribbons();
    state.stems = assets_.stems->groups();
    state.rings = assets_.twister->rings();
    state.clearLevel = clearLevel_;
    state.drawing = g_.carried();
    return state;
}

void Intro::restore(const IntroState& state)
{
    random_ = state.random;
    assets_.emitters = state.emitters;
    assets_.burning->meteorFlames() = state.meteorFlames;
    assets_.ribbons->ribbons() = state.ribbons;
    assets_.stems->groups() = state.stems;
    assets_.twister->rings() = state.rings;
    clearLevel_ = state.clearLevel;
    g_.restore(state.drawing);
}

Status Intro::resize(int32_t width, int32_t height)
{
    width_ = width;
    height_ = height;
    return assets_.resizeTargets(width, height);
}

FrameResult Intro::draw(int32_t t, const FrameClock& clock, std::optional<int64_t> heardFrame)
{
    MusicBeat beat(music_, fewerFlashes_, heardFrame);
    const FrameContext frame{t, clock.elapsed, clock.frameDelta, width_, height_, output_, &beat,
                             scenesDrawn_, &random_};
    Stage stage = assets_.stage();
    const FrameResult result = drawFrame(g_, stage, frame, clearLevel_);
    clearLevel_ = result.clearLevel;
    return result;
}
