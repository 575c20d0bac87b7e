#include "gfx/ShaderProgram.h"

ShaderProgram ShaderProgram::build(Device& device, const char* vertexSource, const char* fragmentSource,
                                   const char* programName, std::vector<std::string>& failures,
                                   std::span<const SamplerUnit> samplers)
{
    ShaderProgram p;
    p.label_ = programName;
    p.program_ = DeviceResource<ProgramId, &Device::destroyProgram>(
        device, device.createProgram(vertexSource, fragmentSource, programName, samplers, failures));
    return p;
}

bool ShaderProgram::linked() const
{
    return program_.device() && program_.device()->programLinked(program_.name());
}
