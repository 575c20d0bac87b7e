#pragma once

#include <epoxy/gl.h>

#include <utility>

// A move-only owner of one GL object name: the object is deleted when its owner goes.
// Name 0 owns nothing.
template <void (*Delete)(GLuint)>
class GLHandle {
public:
    GLHandle() = default;
    explicit GLHandle(GLuint name) : name_(name) {}
    ~GLHandle() { reset(); }
    GLHandle(GLHandle&& other) noexcept : name_(std::exchange(other.name_, 0)) {}
    GLHandle& operator=(GLHandle&& other) noexcept
    {
        if (this != &other) {
            reset();
            name_ = std::exchange(other.name_, 0);
        }
        return *this;
    }
    GLHandle(const GLHandle&) = delete;
    GLHandle& operator=(const GLHandle&) = delete;

    GLuint get() const { return name_; }

private:
    void reset()
    {
        if (name_) Delete(name_);
        name_ = 0;
    }

    GLuint name_ = 0;
};

namespace gl_delete {
inline void texture(GLuint name) { glDeleteTextures(1, &name); }
inline void framebuffer(GLuint name) { glDeleteFramebuffers(1, &name); }
inline void renderbuffer(GLuint name) { glDeleteRenderbuffers(1, &name); }
inline void shader(GLuint name) { glDeleteShader(name); }
inline void program(GLuint name) { glDeleteProgram(name); }
}  // namespace gl_delete

using Texture = GLHandle<gl_delete::texture>;
using Framebuffer = GLHandle<gl_delete::framebuffer>;
using Renderbuffer = GLHandle<gl_delete::renderbuffer>;
using Shader = GLHandle<gl_delete::shader>;
using Program = GLHandle<gl_delete::program>;

// A move-only owner of a range of consecutive display lists.
class DisplayLists {
public:
    DisplayLists() = default;
    // `count` new lists.
    explicit DisplayLists(GLsizei count) : base_(glGenLists(count)), count_(count) {}
    ~DisplayLists() { reset(); }
    DisplayLists(DisplayLists&& other) noexcept
        : base_(std::exchange(other.base_, 0)), count_(std::exchange(other.count_, 0))
    {
    }
    DisplayLists& operator=(DisplayLists&& other) noexcept
    {
        if (this != &other) {
            reset();
            base_ = std::exchange(other.base_, 0);
            count_ = std::exchange(other.count_, 0);
        }
        return *this;
    }
    DisplayLists(const DisplayLists&) = delete;
    DisplayLists& operator=(const DisplayLists&) = delete;

    // The name of the first list.
    GLuint base() const { return base_; }

private:
    void reset()
    {
        if (base_) glDeleteLists(base_, count_);
        base_ = 0;
        count_ = 0;
    }

    GLuint base_ = 0;
    GLsizei count_ = 0;
};
