#pragma once

#include <SDL.h>

#include <cstdint>
#include <optional>

#include "app/Screen.h"
#include "gfx/Gfx.h"

// Where a frame of frameWidth x frameHeight goes in a drawable of drawableWidth x
// drawableHeight: as large as fits with its aspect kept, centred, the rest left for bars.
PixelBox fitFrame(int32_t frameWidth, int32_t frameHeight, int32_t drawableWidth, int32_t drawableHeight);

// Shows the frames of the render size in the window, whatever its drawable size: the frame
// is drawn at the render size and then scaled into the drawable with black bars.
//
// While the frame fits in the window's own framebuffer it is drawn there, in the lower left
// corner, and copied aside before it is scaled; only a drawable smaller than the frame makes
// it be drawn off screen. A window framebuffer of exactly the render size gives the capture's
// bytes; drivers may rasterise a few pixels differently in a taller framebuffer or in a
// framebuffer object (Mesa's software rasteriser flips window framebuffers by their height).
class Presenter final : public Screen {
public:
    Presenter(SDL_Window* window, Gfx& g, int32_t width, int32_t height);

    const RenderTarget* beginFrame() override;
    // After a frame: scales it into the drawable, ready for the swap.
    void endFrame() override;
    std::optional<PixelBox> bindShown() override;

private:
    SDL_Window* window_;
    Gfx& g_;
    int32_t width_;
    int32_t height_;
    int32_t drawableWidth_ = 0;
    int32_t drawableHeight_ = 0;
    std::optional<RenderTarget> frame_;  // made when the window first differs from the frame
};
