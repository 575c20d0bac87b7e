#include <algorithm>
#include <string>
#include <vector>

#include "gfx/gl/BuiltinShaders.h"
#include "gfx/gl/GLBackend.h"

namespace {

template <typename GetIv, typename GetLog>
bool succeeded(GLuint object, GLenum statusName, GetIv getIv, GetLog getLog, const char* program, const char* what,
               std::vector<std::string>& failures)
{
    GLint status = GL_FALSE;
    getIv(object, statusName, &status);
    if (status == GL_TRUE) return true;
    GLint length = 0;
    getIv(object, GL_INFO_LOG_LENGTH, &length);
    std::string log(length > 0 ? static_cast<size_t>(length) : 1, '\0');
    getLog(object, static_cast<GLsizei>(log.size()), nullptr, log.data());
    failures.push_back(std::string("shader program \"") + program + "\": " + what + " failed: " + log.c_str());
    return false;
}

}  // namespace

bool GLDevice::buildShading(std::vector<std::string>& failures)
{
    // Unlit variants leave the lighting out of the vertex shader: the rasteriser runs both sides
    // of a branch, so an unlit vertex would pay for the lighting it does not use.
    for (int textured = 0; textured < 2; ++textured)
        for (int fog = 0; fog < 2; ++fog)
            for (int lines = 0; lines < 2; ++lines)
                for (int lit = 0; lit < 2; ++lit) {
                    std::string defines, variant;
                    for (const auto& [on, define, word] :
                         {std::tuple{textured, "TEXTURED", "textured"}, {fog, "FOG", "fog"}, {lines, "LINES", "lines"},
                          {lit, "LIT", "lit"}})
                        if (on) {
                            defines += std::string("#define ") + define + "\n";
                            variant += (variant.empty() ? " (" : ", ") + std::string(word);
                        }
                    const std::string name = "shading" + variant + (variant.empty() ? "" : ")");
                    const std::string vertex =
                        defines + kBuiltinShadingVert + (lines ? kBuiltinLinesVert : kBuiltinTrianglesVert);
                    Program& p = shading_[textured][fog][lines][lit];
                    p.name = link(vertex, defines + kBuiltinFrag, name.c_str(), failures, p);
                    if (p.linked && textured) {
                        use(p);
                        gl_.Uniform1i(gl_.GetUniformLocation(p.name, "uTexture"), 0);
                    }
                }
    return failures.empty();
}

GLuint GLDevice::link(const std::string& vertex, const std::string& fragment, const char* name,
                      std::vector<std::string>& failures, Program& out)
{
    const GLuint program = gl_.CreateProgram();
    bool ok = true;
    for (const auto& [type, source] : {std::pair{GL_VERTEX_SHADER, &vertex}, {GL_FRAGMENT_SHADER, &fragment}}) {
        const GLuint shader = gl_.CreateShader(type);
        const char* parts[2] = {preamble_.c_str(), source->c_str()};
        gl_.ShaderSource(shader, 2, parts, nullptr);
        gl_.CompileShader(shader);
        ok = succeeded(shader, GL_COMPILE_STATUS, gl_.GetShaderiv, gl_.GetShaderInfoLog, name,
                       type == GL_VERTEX_SHADER ? "compiling the vertex shader" : "compiling the fragment shader",
                       failures) &&
             ok;
        gl_.AttachShader(program, shader);
        gl_.DeleteShader(shader);  // goes with the program
    }
    for (size_t i = 0; i < std::size(kAttributeNames); ++i)
        gl_.BindAttribLocation(program, kAttributeLocations[i], kAttributeNames[i]);
    gl_.LinkProgram(program);
    const bool linked = succeeded(program, GL_LINK_STATUS, gl_.GetProgramiv, gl_.GetProgramInfoLog, name, "linking", failures);
    out.linked = ok && linked;
    for (int s = 0; s < kSlotCount; ++s) out.slots[s] = out.linked ? gl_.GetUniformLocation(program, kSlotNames[s]) : -1;
    return program;
}

ProgramId GLDevice::createProgram(const char* vertexSource, const char* fragmentSource, const char* name,
                                 std::span<const SamplerUnit> samplers, std::vector<std::string>& failures)
{
    Program p;
    p.name = link(vertexSource, fragmentSource, name, failures, p);
    if (p.linked && !samplers.empty()) {
        gl_.UseProgram(p.name);
        for (const SamplerUnit& s : samplers) gl_.Uniform1i(gl_.GetUniformLocation(p.name, s.name), s.unit);
        gl_.UseProgram(currentProgram_);
    }
    const ProgramId id{nextName_++};
    programs_[id] = std::move(p);
    return id;
}

void GLDevice::destroyProgram(ProgramId program)
{
    const auto it = programs_.find(program);
    if (it == programs_.end()) return;
    if (currentProgram_ == it->second.name) {
        gl_.UseProgram(0);
        currentProgram_ = 0;
    }
    gl_.DeleteProgram(it->second.name);
    programs_.erase(it);
}

bool GLDevice::programLinked(ProgramId program) const
{
    const auto it = programs_.find(program);
    return it != programs_.end() && it->second.linked;
}

Program& GLDevice::shadingFor(const DrawState& state, bool lines)
{
    return shading_[state.texture ? 1 : 0][state.fog ? 1 : 0][lines ? 1 : 0][state.lighting != Lighting::Off ? 1 : 0];
}

Program& GLDevice::programFor(const DrawCall& call, bool lines)
{
    // A program that failed to build leaves the draw to the built-in shading.
    if (call.state.program) {
        const auto it = programs_.find(call.state.program);
        if (it != programs_.end() && it->second.linked) return it->second;
    }
    return shadingFor(call.state, lines);
}

void GLDevice::setOwnUniforms(Program& p, const std::array<ProgramUniform, 4>& uniforms)
{
    const auto setOwn = [&](std::string_view name, float value) {
        auto it = p.own.find(name);
        if (it == p.own.end()) {
            const std::string text(name);
            it = p.own.emplace(text, Program::Own{gl_.GetUniformLocation(p.name, text.c_str()), 0}).first;
            gl_.Uniform1f(it->second.location, value);
        } else if (it->second.value != value) {
            gl_.Uniform1f(it->second.location, value);
        }
        it->second.value = value;
    };
    for (const ProgramUniform& u : uniforms)
        if (u.name) setOwn(u.name, u.value);
    for (const auto& own : p.own) {
        const std::string& name = own.first;
        if (std::none_of(uniforms.begin(), uniforms.end(), [&](const ProgramUniform& u) { return u.name && name == u.name; }))
            setOwn(name, 0);
    }
}
