// The OpenGL entry points the GL device calls, fetched from the driver through SDL once a
// context is current: OpenGL 3.3 core and OpenGL ES 3.0 share every one of them. Only the
// backend's own sources include this.
#pragma once

#define GL_GLEXT_PROTOTYPES
#include <SDL_opengl.h>
// On Windows the GL header brings windows.h, whose DrawState macro would rename ours.
#undef DrawState

#include <string>

// X(name) for each command glName.
#define ORVALE_GL_COMMANDS(X) \
    X(ActiveTexture) \
    X(AttachShader) \
    X(BindAttribLocation) \
    X(BindBuffer) \
    X(BindFramebuffer) \
    X(BindRenderbuffer) \
    X(BindTexture) \
    X(BindVertexArray) \
    X(BlendFunc) \
    X(BlitFramebuffer) \
    X(BufferData) \
    X(BufferSubData) \
    X(CheckFramebufferStatus) \
    X(Clear) \
    X(ClearColor) \
    X(CompileShader) \
    X(CreateProgram) \
    X(CreateShader) \
    X(DeleteBuffers) \
    X(DeleteFramebuffers) \
    X(DeleteProgram) \
    X(DeleteRenderbuffers) \
    X(DeleteShader) \
    X(DeleteTextures) \
    X(DeleteVertexArrays) \
    X(DepthFunc) \
    X(DepthMask) \
    X(Disable) \
    X(DisableVertexAttribArray) \
    X(DrawArrays) \
    X(DrawArraysInstanced) \
    X(DrawElements) \
    X(DrawElementsInstanced) \
    X(Enable) \
    X(EnableVertexAttribArray) \
    X(Finish) \
    X(FramebufferRenderbuffer) \
    X(FramebufferTexture2D) \
    X(GenBuffers) \
    X(GenFramebuffers) \
    X(GenRenderbuffers) \
    X(GenTextures) \
    X(GenVertexArrays) \
    X(GenerateMipmap) \
    X(GetAttribLocation) \
    X(GetIntegerv) \
    X(GetProgramInfoLog) \
    X(GetProgramiv) \
    X(GetShaderInfoLog) \
    X(GetShaderiv) \
    X(GetString) \
    X(GetUniformLocation) \
    X(LinkProgram) \
    X(PixelStorei) \
    X(ReadPixels) \
    X(RenderbufferStorage) \
    X(ShaderSource) \
    X(TexImage2D) \
    X(TexParameteri) \
    X(Uniform1f) \
    X(Uniform1fv) \
    X(Uniform1i) \
    X(Uniform2fv) \
    X(Uniform3fv) \
    X(Uniform4fv) \
    X(UniformMatrix3fv) \
    X(UniformMatrix4fv) \
    X(UseProgram) \
    X(VertexAttrib2fv) \
    X(VertexAttrib3fv) \
    X(VertexAttrib4fv) \
    X(VertexAttribDivisor) \
    X(VertexAttribPointer) \
    X(Viewport)

struct GLCommands {
#define ORVALE_GL_POINTER(name) decltype(&::gl##name) name = nullptr;
    ORVALE_GL_COMMANDS(ORVALE_GL_POINTER)
#undef ORVALE_GL_POINTER

    // Fetches every command from the current context; the names of those the driver lacks,
    // or empty when it has them all.
    std::string load();
};
