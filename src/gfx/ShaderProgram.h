#pragma once

#include <epoxy/gl.h>

#include <string>
#include <vector>

#include "gfx/GLHandle.h"

// One vertex and one fragment shader linked into a program, with a label. Move-only; the
// program and its shaders are deleted with it. An empty one (program 0) makes using it the
// fixed-function pipeline.
class ShaderProgram {
public:
    ShaderProgram() = default;

    // Compiles and links. A compile or link error is added to `failures`, one line each naming
    // the program, and the program then has no effect when used. A fragment prelude, when
    // given, is compiled ahead of the fragment source as its first part (functions the source
    // calls). A missing source gives no shader of that stage.
    static ShaderProgram build(const char* vertexSource, const char* fragmentSource, const char* programName,
                               const char* fragmentPrelude, std::vector<std::string>& failures);

    // Whether the program linked, so that using it has an effect.
    bool linked() const;
    GLuint id() const { return program_.get(); }
    const char* name() const { return name_; }

    void use() const { glUseProgram(program_.get()); }
    // Uses the program, looks the uniform up by name and sets it.
    void setUniform(const char* uniform, float value) const;
    void setUniform(const char* uniform, int value) const;

private:
    Shader vertexShader_;
    Shader fragmentShader_;
    Program program_;
    const char* name_ = "";  // label, not owned
};
