#pragma once

#include <epoxy/gl.h>

// One vertex and one fragment shader linked into a program, with a label.
struct ShaderProgram {
    GLuint vertexShader = 0;    // 0 when no source was given
    GLuint fragmentShader = 0;  // 0 when no source was given
    GLuint program = 0;
    const char* name = nullptr;  // label, not owned

    // Compiles and links; a compile or link error is logged on stderr with the program's
    // name, and the program then has no effect when used. A fragment prelude, when given, is
    // compiled ahead of the fragment source as its first part (functions the source calls).
    void build(const char* vertexSource, const char* fragmentSource, const char* programName,
               const char* fragmentPrelude = nullptr);
    // A new shader of the given type from prelude + source, or 0 (and no shader object) for
    // no source.
    GLuint compileShader(GLenum type, const char* source, const char* prelude = nullptr);
    // Whether the program linked, so that using it has an effect.
    bool linked() const;
    void release();

    void use() const { glUseProgram(program); }
    // Uses the program, looks the uniform up by name and sets it.
    void setUniform(const char* uniform, float value) const;
    void setUniform(const char* uniform, int value) const;
};
