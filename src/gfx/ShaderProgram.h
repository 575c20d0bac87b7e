#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "gfx/DeviceResource.h"

// A vertex and a fragment shader linked into a program of the device, with a label and the
// values its uniforms are to have when it draws. Move-only; the program goes with it. An empty
// one, or one that failed to build, draws nothing.
class ShaderProgram {
public:
    // A uniform's value, kept until it is set again.
    struct Uniform {
        std::string_view name;  // a literal's, not owned
        bool integer;
        float value;
    };

    ShaderProgram() = default;

    // Compiles and links. A compile or link error is added to `failures`, one line each
    // naming the program. The sources have no version line: the device adds its dialect's.
    static ShaderProgram build(Device& device, const char* vertexSource, const char* fragmentSource,
                               const char* programName, std::vector<std::string>& failures);

    // Whether the program linked, so that drawing with it has an effect.
    bool linked() const;
    uint32_t deviceName() const { return program_.name(); }
    const char* label() const { return label_; }

    void set(std::string_view uniform, float value) { store({uniform, false, value}); }
    void set(std::string_view uniform, int value) { store({uniform, true, static_cast<float>(value)}); }
    const std::vector<Uniform>& uniforms() const { return uniforms_; }
    // Grows with every change of a uniform, so that a device knows when to set them again.
    uint32_t revision() const { return revision_; }

private:
    void store(const Uniform& u);

    DeviceResource<uint32_t, &Device::destroyProgram> program_;
    const char* label_ = "";  // not owned
    std::vector<Uniform> uniforms_;
    uint32_t revision_ = 0;
};
