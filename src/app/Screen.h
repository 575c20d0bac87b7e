#pragma once

#include <optional>

#include "gfx/Gfx.h"
#include "gfx/RenderTarget.h"

// Where a run's frames go: the window (see Presenter), a render target of the caller's, or the
// framebuffer bound. Showing what was drawn (the swap) is the program's.
class Screen {
public:
    virtual ~Screen() = default;
    // Before a frame: the target to draw it into (none: the window's framebuffer).
    virtual const RenderTarget* beginFrame() = 0;
    // After a frame: makes it ready to be shown.
    virtual void endFrame() = 0;
    // After endFrame: the window as the viewer sees it, bound, for what is drawn over the frame
    // (its width and height in pixels); none where no viewer watches.
    virtual std::optional<PixelBox> bindShown() { return {}; }
};

// Frames drawn straight into one target (none: the window's framebuffer, unscaled).
class TargetScreen final : public Screen {
public:
    explicit TargetScreen(const RenderTarget* target = nullptr) : target_(target) {}
    void setTarget(const RenderTarget* target) { target_ = target; }
    const RenderTarget* beginFrame() override { return target_; }
    void endFrame() override {}

private:
    const RenderTarget* target_;
};
