#pragma once

#include <epoxy/gl.h>

#include <cstdint>

// An off-screen framebuffer: an RGBA colour texture and a depth renderbuffer.
struct RenderTarget {
    GLuint colourTexture = 0;
    GLuint framebuffer = 0;
    GLuint depthRenderbuffer = 0;
    int32_t width = 0;
    int32_t height = 0;

    // Makes the target width x height pixels. A framebuffer the GL cannot draw into is
    // reported and ends the program with status 1. Leaves the colour texture bound.
    void create(int32_t w, int32_t h);
    // Makes the target the drawing destination and clears it with the current clear colour.
    void bind();
    // Returns to the window's framebuffer and clears it.
    void unbind();
    void bindTexture() const { glBindTexture(GL_TEXTURE_2D, colourTexture); }
    void release();
};

extern RenderTarget* SceneRT;
extern RenderTarget* FilterRT;
