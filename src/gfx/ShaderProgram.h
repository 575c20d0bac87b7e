#pragma once

#include <cstdint>
#include <string>
#include <span>
#include <vector>

#include "gfx/DeviceResource.h"

// A vertex and a fragment shader linked into a program of the device, with a label. Draws name
// it by its id and give the values of its own uniforms. Move-only; the program goes with it.
// An empty one, or one that failed to build, draws nothing.
class ShaderProgram {
public:
    ShaderProgram() = default;

    // Compiles and links, its samplers bound to their texture units for good. A compile or link
    // error is added to `failures`, one line each naming the program. The sources have no
    // version line: the device adds its dialect's.
    static ShaderProgram build(Device& device, const char* vertexSource, const char* fragmentSource,
                               const char* programName, std::vector<std::string>& failures,
                               std::span<const SamplerUnit> samplers = {});

    // Whether the program linked, so that drawing with it has an effect.
    bool linked() const;
    ProgramId id() const { return program_.name(); }
    const char* label() const { return label_; }

private:
    DeviceResource<ProgramId, &Device::destroyProgram> program_;
    const char* label_ = "";  // not owned
};
