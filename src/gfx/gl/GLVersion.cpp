#include "gfx/gl/GLDevice.h"

#include <cstdio>

#include "gfx/gl/GLBackend.h"

std::string text(const GLCommands& gl, GLenum name)
{
    const GLubyte* s = gl.GetString(name);
    return s ? reinterpret_cast<const char*>(s) : "unknown";
}

// Whether the current context is OpenGL ES, whose version text starts "OpenGL ES".
bool currentIsES(const GLCommands& gl)
{
    return text(gl, GL_VERSION).starts_with("OpenGL ES");
}

namespace {

// The current context's version as major * 10 + minor (33 for 3.3), from its version text;
// 0 when there is none to read.
int currentVersion(const GLCommands& gl)
{
    const std::string version = text(gl, GL_VERSION);
    const size_t digit = version.find_first_of("0123456789");
    int major = 0;
    int minor = 0;
    if (digit == std::string::npos || std::sscanf(version.c_str() + digit, "%d.%d", &major, &minor) != 2) return 0;
    return major * 10 + minor;
}

}  // namespace

std::string describeCurrentGL()
{
    GLCommands gl;
    gl.load();
    if (!gl.GetString) return "an OpenGL that cannot be asked what it is";
    return text(gl, GL_RENDERER) + ", " + (currentIsES(gl) ? "" : "OpenGL ") + text(gl, GL_VERSION);
}

Result<std::unique_ptr<Device>> createGLDevice()
{
    GLCommands gl;
    const std::string missing = gl.load();
    if (!gl.GetString) return Failure{"this OpenGL cannot be asked what it is (no glGetString)."};
    const bool es = currentIsES(gl);
    const int version = currentVersion(gl);
    if (es ? version < 30 : version < 33)
        return Failure{std::string("this OpenGL lacks ") + (es ? "OpenGL ES 3.0" : "OpenGL 3.3 (core profile)") +
                       ", which the intro needs.\nIt is " + describeCurrentGL() + "."};
    if (!missing.empty())
        return Failure{"this OpenGL's driver lacks commands the intro needs: " + missing + ".\nIt is " +
                       describeCurrentGL() + "."};
    auto device = std::make_unique<GLDevice>(gl);
    std::vector<std::string> failures;
    if (!device->buildShading(failures)) {
        std::string why = "the OpenGL driver cannot build the intro's shading:";
        for (const std::string& f : failures) why += "\n" + f;
        return Failure{why};
    }
    return std::unique_ptr<Device>(std::move(device));
}
