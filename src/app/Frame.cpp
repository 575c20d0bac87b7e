#include "app/Frame.h"

#include "gfx/Glu.h"

#include "app/FrameClock.h"
#include "audio/MusicPlayer.h"
#include "gfx/FullScreenQuad.h"

namespace {

// The level of what the music player is playing, asked for when a scene needs it.
class MusicBeat final : public BeatLevel {
public:
    explicit MusicBeat(MusicPlayer& music) : music_(music) {}
    int32_t level() override { return music_.spectrumLevel(); }

private:
    MusicPlayer& music_;
};

// The projection every frame starts from: a 75 degree vertical field of view over the
// render size, whatever the window's client area.
void beginFrame(uint32_t output, int32_t width, int32_t height)
{
    glBindFramebuffer(GL_FRAMEBUFFER, output);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(75.0, static_cast<double>(width) / height, 0.01, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
}

// Every finished frame is multiplied by the overlay picture: the intro's "screen" look.
void multiplyOverlay(const FullScreenQuad& quad, GLuint overlay)
{
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    glColor3f(1, 1, 1);
    glBindTexture(GL_TEXTURE_2D, overlay);
    quad.draw();
}

}  // namespace

int32_t demoMilliseconds(float elapsedSeconds)
{
    const double ms = elapsedSeconds * 1000.0;
    // Past about 24 days the count no longer fits; it stays at the last millisecond.
    if (ms >= 2147483647.0) return 2147483647;
    return static_cast<int32_t>(ms);
}

Intro::Intro(Assets& assets, MusicPlayer& music, int32_t width, int32_t height)
    : assets_(assets), music_(music), width_(width), height_(height)
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

Status Intro::catchUp(int32_t t, int32_t width, int32_t height, const std::function<bool(int32_t, int32_t)>& goOn)
{
    const int32_t fullWidth = width_, fullHeight = height_;
    if (const Status s = resize(width, height); !s.ok()) return s;
    const int32_t frames = (t * kCatchUpFps + 999) / 1000;  // grid times below t
    for (int32_t n = 0; n < frames; ++n) {
        renderAt(static_cast<int32_t>(int64_t{n} * 1000 / kCatchUpFps));
        if (!goOn(n + 1, frames)) break;
    }
    return resize(fullWidth, fullHeight);
}

void Intro::restart()
{
    assets_.restart();
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
    MusicBeat beat(music_);
    const FrameContext frame{t, frameClock.elapsed, frameClock.frameDelta, width_, height_, output_, &beat,
                             scenesDrawn_};
    Stage stage = assets_.stage();
    beginFrame(output_, width_, height_);
    const FrameResult result = drawFrame(stage, frame, clearLevel_);
    multiplyOverlay(stage.shared.quad, assets_.overlayPicture());
    clearLevel_ = result.clearLevel;
    return result;
}
