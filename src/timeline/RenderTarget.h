#pragma once

#include <epoxy/gl.h>

#include <cstdint>

#include "gfx/GLHandle.h"
#include "gfx/Result.h"

// An off-screen framebuffer: an RGBA colour texture and a depth renderbuffer. Move-only; its
// GL objects go with it.
class RenderTarget {
public:
    // A target of w x h pixels, the colour texture left bound; a framebuffer the GL cannot
    // draw into is a failure that says so.
    static Result<RenderTarget> create(int32_t w, int32_t h);

    // Makes the target the drawing destination and clears it with the current clear colour.
    void bind() const;
    // Returns to the framebuffer the finished frame is drawn into (0: the window's own),
    // clears it and sets the viewport to the render size.
    static void unbind(GLuint output, int32_t viewportWidth, int32_t viewportHeight);
    GLuint framebuffer() const { return framebuffer_.get(); }
    void bindTexture() const { glBindTexture(GL_TEXTURE_2D, colourTexture_.get()); }
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }

private:
    Texture colourTexture_;
    Framebuffer framebuffer_;
    Renderbuffer depthRenderbuffer_;
    int32_t width_ = 0;
    int32_t height_ = 0;
};
