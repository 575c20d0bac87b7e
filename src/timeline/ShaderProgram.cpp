#include "timeline/ShaderProgram.h"

#include <cstdio>
#include <string>

namespace {

template <typename GetIv, typename GetLog>
void logFailure(GLuint object, GLenum statusName, GetIv getIv, GetLog getLog, const char* program, const char* what)
{
    GLint status = GL_FALSE;
    getIv(object, statusName, &status);
    if (status == GL_TRUE) return;
    GLint length = 0;
    getIv(object, GL_INFO_LOG_LENGTH, &length);
    std::string log(length > 0 ? static_cast<size_t>(length) : 1, '\0');
    getLog(object, static_cast<GLsizei>(log.size()), nullptr, log.data());
    std::fprintf(stderr, "orvale-invit: shader program \"%s\": %s failed: %s\n", program, what, log.c_str());
}

}  // namespace

GLuint ShaderProgram::compileShader(GLenum type, const char* source, const char* prelude)
{
    GLuint shader = glCreateShader(type);
    if (!source) {
        glDeleteShader(shader);
        return 0;
    }
    const char* parts[2] = {prelude, source};
    glShaderSource(shader, prelude ? 2 : 1, prelude ? parts : parts + 1, nullptr);
    glCompileShader(shader);
    logFailure(shader, GL_COMPILE_STATUS, glGetShaderiv, glGetShaderInfoLog, name,
               type == GL_VERTEX_SHADER ? "compiling the vertex shader" : "compiling the fragment shader");
    return shader;
}

void ShaderProgram::build(const char* vertexSource, const char* fragmentSource, const char* programName,
                          const char* fragmentPrelude)
{
    name = programName;
    vertexShader = compileShader(GL_VERTEX_SHADER, vertexSource);
    fragmentShader = compileShader(GL_FRAGMENT_SHADER, fragmentSource, fragmentPrelude);
    program = glCreateProgram();
    glAttachShader(program, vertexShader);
    glAttachShader(program, fragmentShader);
    glLinkProgram(program);
    logFailure(program, GL_LINK_STATUS, glGetProgramiv, glGetProgramInfoLog, name, "linking");
}

bool ShaderProgram::linked() const
{
    GLint status = GL_FALSE;
    if (program) glGetProgramiv(program, GL_LINK_STATUS, &status);
    return status == GL_TRUE;
}

void ShaderProgram::release()
{
    glDeleteShader(vertexShader);
    glDeleteShader(fragmentShader);
    glDeleteProgram(program);
}

void ShaderProgram::setUniform(const char* uniform, float value) const
{
    use();
    glUniform1f(glGetUniformLocation(program, uniform), value);
}

void ShaderProgram::setUniform(const char* uniform, int value) const
{
    use();
    glUniform1i(glGetUniformLocation(program, uniform), value);
}
