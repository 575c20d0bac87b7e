#include "timeline/RenderTarget.h"

#include <string>

#include "app/DisplaySettings.h"
#include "app/Fatal.h"

RenderTarget* SceneRT = new RenderTarget;
RenderTarget* FilterRT = new RenderTarget;

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

void RenderTarget::create(int32_t w, int32_t h)
{
    width = w;
    height = h;
    glGenFramebuffers(1, &framebuffer);
    glGenRenderbuffers(1, &depthRenderbuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, depthRenderbuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT, width, height);

    glGenTextures(1, &colourTexture);
    glBindTexture(GL_TEXTURE_2D, colourTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);

    // The target's own framebuffer, with its attachments, must be one the GL can draw into.
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    attach(colourTexture, depthRenderbuffer);
    const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (status != GL_FRAMEBUFFER_COMPLETE)
        exitFatal("the OpenGL driver cannot draw into a " + std::to_string(w) + "x" + std::to_string(h) +
                  " off-screen framebuffer (" + describeStatus(status) + ")");
}

void RenderTarget::bind()
{
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, depthRenderbuffer);
    attach(colourTexture, depthRenderbuffer);
    glViewport(0, 0, width, height);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
}

void RenderTarget::unbind()
{
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glViewport(0, 0, displaySettings.width, displaySettings.height);
    glMatrixMode(GL_MODELVIEW);
}

void RenderTarget::release()
{
    glDeleteTextures(1, &colourTexture);
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteRenderbuffers(1, &depthRenderbuffer);
}
