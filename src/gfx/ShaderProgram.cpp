#include "gfx/ShaderProgram.h"

ShaderProgram ShaderProgram::build(Device& device, const char* vertexSource, const char* fragmentSource,
                                   const char* programName, std::vector<std::string>& failures)
{
    ShaderProgram p;
    p.label_ = programName;
    p.program_ = DeviceResource<uint32_t, &Device::destroyProgram>(
        device, device.createProgram(vertexSource, fragmentSource, programName, failures));
    return p;
}

bool ShaderProgram::linked() const
{
    return program_.device() && program_.device()->programLinked(program_.name());
}

void ShaderProgram::store(const Uniform& u)
{
    ++revision_;
    for (Uniform& kept : uniforms_)
        if (kept.name == u.name) {
            kept = u;
            return;
        }
    uniforms_.push_back(u);
}
