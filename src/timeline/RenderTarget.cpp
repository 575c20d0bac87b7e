#include "timeline/RenderTarget.h"

#include <string>

namespace {

void attach(GLuint colourTexture, GLuint depthRenderbuffer)
{
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colourTexture, 0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthRenderbuffer);
}

std::string describeStatus(GLenum status)
{
    switch (status) {
    case GL_FRAMEBUFFER_UNSUPPORTED:
        return "GL_FRAMEBUFFER_UNSUPPORTED";
    case GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT:
        return "GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT";
    case GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT:
        return "GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT";
    default:
        return "status " + std::to_string(status);
    }
}

}  // namespace

Result<RenderTarget> RenderTarget::create(int32_t w, int32_t h)
{
    RenderTarget target;
    target.width_ = w;
    target.height_ = h;
    GLuint name = 0;
    glGenFramebuffers(1, &name);
    target.framebuffer_ = Framebuffer(name);
    glGenRenderbuffers(1, &name);
    target.depthRenderbuffer_ = Renderbuffer(name);
    glBindRenderbuffer(GL_RENDERBUFFER, target.depthRenderbuffer_.get());
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT, w, h);

    glGenTextures(1, &name);
    target.colourTexture_ = Texture(name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);

    // The target's own framebuffer, with its attachments, must be one the GL can draw into.
    glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer_.get());
    attach(target.colourTexture_.get(), target.depthRenderbuffer_.get());
    const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (status != GL_FRAMEBUFFER_COMPLETE)
        return Failure{"the OpenGL driver cannot draw into a " + std::to_string(w) + "x" + std::to_string(h) +
                       " off-screen framebuffer (" + describeStatus(status) + ")"};
    return target;
}

void RenderTarget::bind() const
{
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_.get());
    glBindRenderbuffer(GL_RENDERBUFFER, depthRenderbuffer_.get());
    attach(colourTexture_.get(), depthRenderbuffer_.get());
    glViewport(0, 0, width_, height_);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
}

void RenderTarget::unbind(GLuint output, int32_t viewportWidth, int32_t viewportHeight)
{
    glBindFramebuffer(GL_FRAMEBUFFER, output);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glViewport(0, 0, viewportWidth, viewportHeight);
    glMatrixMode(GL_MODELVIEW);
}
