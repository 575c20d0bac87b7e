#include "app/Presentation.h"

#include <cstdio>

PixelRect fitFrame(int32_t frameWidth, int32_t frameHeight, int32_t drawableWidth, int32_t drawableHeight)
{
    if (frameWidth <= 0 || frameHeight <= 0 || drawableWidth <= 0 || drawableHeight <= 0) return {};
    // Compared in 64 bits: which side limits the frame, then the other side rounded.
    const int64_t across = int64_t{drawableWidth} * frameHeight;
    const int64_t down = int64_t{drawableHeight} * frameWidth;
    PixelRect r;
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

Presenter::Presenter(SDL_Window* window, int32_t width, int32_t height)
    : window_(window), width_(width), height_(height)
{
}

GLuint Presenter::beginFrame()
{
    SDL_GL_GetDrawableSize(window_, &drawableWidth_, &drawableHeight_);
    const bool fits = drawableWidth_ >= width_ && drawableHeight_ >= height_;
    const bool same = drawableWidth_ == width_ && drawableHeight_ == height_;
    if (!same && !frame_) {
        Result<RenderTarget> made = RenderTarget::create(width_, height_);
        if (!made) {
            // Without a place to copy it to, the frame stays unscaled in the corner.
            std::fprintf(stderr, "orvale-invit: cannot scale the picture to the window: %s\n", made.message().c_str());
            drawableWidth_ = width_;
            drawableHeight_ = height_;
            return 0;
        }
        frame_.emplace(made.take());
    }
    const GLuint output = fits ? 0 : frame_->framebuffer();
    glBindFramebuffer(GL_FRAMEBUFFER, output);
    return output;
}

void Presenter::showFrame()
{
    if (frame_ && (drawableWidth_ != width_ || drawableHeight_ != height_)) {
        const bool drawnInWindow = drawableWidth_ >= width_ && drawableHeight_ >= height_;
        GLfloat clearColour[4];
        glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
        const GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
        glDisable(GL_SCISSOR_TEST);
        if (drawnInWindow) {
            // The frame cannot be scaled within the framebuffer it lies in: copied aside first.
            glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
            glBindFramebuffer(GL_DRAW_FRAMEBUFFER, frame_->framebuffer());
            glBlitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_, GL_COLOR_BUFFER_BIT, GL_NEAREST);
        }
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        const PixelRect to = fitFrame(width_, height_, drawableWidth_, drawableHeight_);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, frame_->framebuffer());
        glBlitFramebuffer(0, 0, width_, height_, to.x, to.y, to.x + to.width, to.y + to.height, GL_COLOR_BUFFER_BIT,
                          GL_LINEAR);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
        if (scissor) glEnable(GL_SCISSOR_TEST);
    }
    SDL_GL_SwapWindow(window_);
}
