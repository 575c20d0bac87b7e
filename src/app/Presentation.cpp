#include "app/Presentation.h"

#include <cstdio>

PixelBox fitFrame(int32_t frameWidth, int32_t frameHeight, int32_t drawableWidth, int32_t drawableHeight)
{
    if (frameWidth <= 0 || frameHeight <= 0 || drawableWidth <= 0 || drawableHeight <= 0) return {};
    // Compared in 64 bits: which side limits the frame, then the other side rounded.
    const int64_t across = int64_t{drawableWidth} * frameHeight;
    const int64_t down = int64_t{drawableHeight} * frameWidth;
    PixelBox r;
    if (across <= down) {
        r.width = drawableWidth;
        r.height = static_cast<int32_t>((across + frameWidth / 2) / frameWidth);
    } else {
        r.height = drawableHeight;
        r.width = static_cast<int32_t>((down + frameHeight / 2) / frameHeight);
    }
    r.x = (drawableWidth - r.width) / 2;
    r.y = (drawableHeight - r.height) / 2;
    return r;
}

Presenter::Presenter(SDL_Window* window, Gfx& g, int32_t width, int32_t height)
    : window_(window), g_(g), width_(width), height_(height)
{
}

const RenderTarget* Presenter::beginFrame()
{
    SDL_GL_GetDrawableSize(window_, &drawableWidth_, &drawableHeight_);
    const bool fits = drawableWidth_ >= width_ && drawableHeight_ >= height_;
    const bool same = drawableWidth_ == width_ && drawableHeight_ == height_;
    if (!same && !frame_) {
        Result<RenderTarget> made = g_.createTarget(width_, height_);
        if (!made) {
            // Without a place to copy it to, the frame stays unscaled in the corner.
            std::fprintf(stderr, "orvale-invit: cannot scale the picture to the window: %s\n", made.message().c_str());
            drawableWidth_ = width_;
            drawableHeight_ = height_;
            return nullptr;
        }
        frame_.emplace(made.take());
    }
    const RenderTarget* output = fits ? nullptr : &*frame_;
    g_.bindTarget(output);
    return output;
}

void Presenter::endFrame()
{
    if (frame_ && (drawableWidth_ != width_ || drawableHeight_ != height_)) {
        const bool drawnInWindow = drawableWidth_ >= width_ && drawableHeight_ >= height_;
        const PixelBox whole{0, 0, width_, height_};
        // The frame cannot be scaled within the framebuffer it lies in: copied aside first.
        if (drawnInWindow) g_.blit(nullptr, whole, &*frame_, whole, false);
        g_.bindTarget(nullptr);
        g_.clear(0, 0, 0, 1);
        const PixelBox to = fitFrame(width_, height_, drawableWidth_, drawableHeight_);
        g_.blit(&*frame_, whole, nullptr, {to.x, to.y, to.width, to.height}, true);
    }
}

std::optional<PixelBox> Presenter::bindShown()
{
    g_.bindTarget(nullptr);
    return PixelBox{0, 0, drawableWidth_, drawableHeight_};
}
