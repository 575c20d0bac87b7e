#include "gfx/ShaderProgram.h"

namespace {

template <typename GetIv, typename GetLog>
void noteFailure(GLuint object, GLenum statusName, GetIv getIv, GetLog getLog, const char* program, const char* what,
                 std::vector<std::string>& failures)
{
    GLint status = GL_FALSE;
    getIv(object, statusName, &status);
    if (status == GL_TRUE) return;
    GLint length = 0;
    getIv(object, GL_INFO_LOG_LENGTH, &length);
    std::string log(length > 0 ? static_cast<size_t>(length) : 1, '\0');
    getLog(object, static_cast<GLsizei>(log.size()), nullptr, log.data());
    failures.push_back(std::string("shader program \"") + program + "\": " + what + " failed: " + log.c_str());
}

// A new shader of the given type from prelude + source, or none for no source.
Shader compile(GLenum type, const char* source, const char* prelude, const char* program,
               std::vector<std::string>& failures)
{
    if (!source) return Shader();
    Shader shader(glCreateShader(type));
    const char* parts[2] = {prelude, source};
    glShaderSource(shader.get(), prelude ? 2 : 1, prelude ? parts : parts + 1, nullptr);
    glCompileShader(shader.get());
    noteFailure(shader.get(), GL_COMPILE_STATUS, glGetShaderiv, glGetShaderInfoLog, program,
                type == GL_VERTEX_SHADER ? "compiling the vertex shader" : "compiling the fragment shader", failures);
    return shader;
}

}  // namespace

ShaderProgram ShaderProgram::build(const char* vertexSource, const char* fragmentSource, const char* programName,
                                   const char* fragmentPrelude, std::vector<std::string>& failures)
{
    ShaderProgram p;
    p.name_ = programName;
    p.vertexShader_ = compile(GL_VERTEX_SHADER, vertexSource, nullptr, programName, failures);
    p.fragmentShader_ = compile(GL_FRAGMENT_SHADER, fragmentSource, fragmentPrelude, programName, failures);
    p.program_ = Program(glCreateProgram());
    glAttachShader(p.program_.get(), p.vertexShader_.get());
    glAttachShader(p.program_.get(), p.fragmentShader_.get());
    glLinkProgram(p.program_.get());
    noteFailure(p.program_.get(), GL_LINK_STATUS, glGetProgramiv, glGetProgramInfoLog, programName, "linking",
                failures);
    return p;
}

bool ShaderProgram::linked() const
{
    GLint status = GL_FALSE;
    if (program_.get()) glGetProgramiv(program_.get(), GL_LINK_STATUS, &status);
    return status == GL_TRUE;
}

void ShaderProgram::setUniform(const char* uniform, float value) const
{
    use();
    glUniform1f(glGetUniformLocation(program_.get(), uniform), value);
}

void ShaderProgram::setUniform(const char* uniform, int value) const
{
    use();
    glUniform1i(glGetUniformLocation(program_.get(), uniform), value);
}
