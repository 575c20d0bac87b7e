#include "gfx/GLDevice.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "gfx/EmbeddedShaders.h"
#include "gfx/GLCommands.h"
#include "gfx/ShaderProgram.h"

namespace {

// The uniforms the device sets on any program that declares them, from the draw.
enum Slot : int {
    kModelViewProjection,
    kModelView,
    kNormalMatrix,
    kLighting,
    kLightPosition,
    kLightDirection,
    kHalfVector,
    kSceneColour,
    kModelAmbient,
    kLightAmbient,
    kLightDiffuse,
    kLightSpecular,
    kAmbientProduct,
    kDiffuseProduct,
    kSpecularProduct,
    kShininess,
    kMaterialAmbient,
    kMaterialDiffuse,
    kMaterialSpecular,
    kFogScale,
    kFogOffset,
    kViewportScale,
    kViewportOffset,
    kLineWidth,
    kSmoothLines,
    kSlotCount
};
constexpr const char* kSlotNames[kSlotCount] = {
    "uModelViewProjection", "uModelView",      "uNormalMatrix",   "uLighting",        "uLightPosition",
    "uLightDirection",      "uHalfVector",     "uSceneColour",    "uModelAmbient",    "uLightAmbient",
    "uLightDiffuse",        "uLightSpecular",  "uAmbientProduct", "uDiffuseProduct",  "uSpecularProduct",
    "uShininess",           "uMaterialAmbient", "uMaterialDiffuse", "uMaterialSpecular", "uFogScale",
    "uFogOffset",           "uViewportScale",  "uViewportOffset", "uLineWidth",       "uSmoothLines"};

// Attribute locations, the same in every program: a vertex's own, then a segment's second end.
constexpr const char* kAttributeNames[] = {"aPosition",  "aColour",  "aNormal",  "aTexCoord",
                                           "aPositionA", "aColourA", "aNormalA", "aTexCoordA",
                                           "aPositionB", "aColourB", "aNormalB", "aTexCoordB"};
constexpr GLuint kAttributeLocations[] = {0, 1, 2, 3, 0, 1, 2, 3, 4, 5, 6, 7};
constexpr GLuint kPosition = 0, kColour = 1, kNormal = 2, kTexCoord = 3;

struct Program {
    GLuint name = 0;
    bool linked = false;
    GLint slots[kSlotCount] = {};
    // What each slot was last set to, so that unchanged values are not set again.
    float last[kSlotCount][16] = {};
    bool known[kSlotCount] = {};
    // The program's own uniforms that draws have given, where they are and what they were set to.
    struct Own {
        GLint location = -1;
        float value = 0;
    };
    std::map<std::string, Own, std::less<>> own;
    std::map<std::string, GLint, std::less<>> named;  // its instance attributes
};

struct Target {
    GLuint framebuffer = 0;
    GLuint colour = 0;
    GLuint depth = 0;
};

struct StoredMesh {
    GLenum mode = GL_TRIANGLES;  // triangles or a strip of them
    GLuint vertexArray = 0;
    GLuint vertices = 0;
    GLuint indices = 0;
    GLsizei count = 0;
    MeshAttributes attributes;
};

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

std::string statusText(GLenum status)
{
    switch (status) {
    case GL_FRAMEBUFFER_UNSUPPORTED: return "GL_FRAMEBUFFER_UNSUPPORTED";
    case GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT: return "GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT";
    case GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT: return "GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT";
    default: return "status " + std::to_string(status);
    }
}

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

class GLDevice final : public Device {
public:
    // Over the current context, whose commands are given.
    explicit GLDevice(const GLCommands& commands);
    ~GLDevice() override;
    GLDevice(const GLDevice&) = delete;
    GLDevice& operator=(const GLDevice&) = delete;

    // Builds the built-in shading; false with the reasons when the driver cannot.
    bool buildShading(std::vector<std::string>& failures);

    DeviceInfo info() const override;
    TextureId createTexture(const TextureSettings& settings, const uint8_t* rgba) override;
    void destroyTexture(TextureId texture) override;
    Result<TargetNames> createTarget(int32_t width, int32_t height) override;
    void destroyTarget(TargetId target) override;
    ProgramId createProgram(const char* vertexSource, const char* fragmentSource, const char* name,
                            std::span<const SamplerUnit> samplers, std::vector<std::string>& failures) override;
    void destroyProgram(ProgramId program) override;
    bool programLinked(ProgramId program) const override;
    MeshId createMesh(Topology topology, std::span<const Vertex> vertices, std::span<const uint32_t> indices,
                      MeshAttributes attributes) override;
    void destroyMesh(MeshId mesh) override;

    void bindTarget(TargetId target) override;
    void viewport(const PixelBox& box) override;
    void clear(const std::array<float, 4>& rgba) override;
    void draw(const DrawCall& call) override;
    void drawInstances(const DrawCall& call, const Instances& instances) override;
    void readPixels(const PixelBox& box, uint8_t* rgba) override;
    void blit(TargetId source, const PixelBox& from, TargetId destination, const PixelBox& to, bool linear) override;
    void finish() override { gl_.Finish(); }

private:
    // The built-in shading for a draw: textured or not, fogged or not, triangles or lines.
    Program& shadingFor(const DrawState& state, bool lines);
    Program& programFor(const DrawCall& call, bool lines);
    void use(Program& p);
    void setState(const DrawState& state);
    void bindTexture(GLuint unit, TextureId texture);
    void setUniforms(Program& p, const DrawCall& call, bool lines);
    void set(Program& p, Slot slot, const float* values, int count);
    // The draw's values of the program's own uniforms; those of earlier draws it does not give
    // back to 0.
    void setOwnUniforms(Program& p, const std::array<ProgramUniform, 2>& uniforms);
    void setInt(Program& p, Slot slot, int value);
    // Copies the vertices into the stream buffer; returns their byte offset in it.
    size_t stream(const void* data, size_t bytes);
    void drawLines(const DrawCall& call);
    GLuint framebufferOf(TargetId target) const;
    GLuint link(const std::string& vertex, const std::string& fragment, const char* name,
                std::vector<std::string>& failures, Program& out);

    GLCommands gl_;  // the context's entry points
    bool es_;
    std::string preamble_;  // the version line and default precisions of this dialect
    Program shading_[2][2][2][2];  // [textured][fog][lines][lit]
    std::map<ProgramId, Program> programs_;
    std::map<TargetId, Target> targets_;
    std::map<MeshId, StoredMesh> meshes_;
    uint32_t nextName_ = 1;

    GLuint triangleArray_ = 0;  // the stream buffer as one vertex per vertex
    GLuint lineArray_ = 0;      // the stream buffer as one segment per instance
    GLuint instanceBuffer_ = 0;
    GLuint streamBuffer_ = 0;
    size_t streamCapacity_ = 0;
    size_t streamOffset_ = 0;

    // The GL state as last set, so that only changes reach the driver.
    GLuint currentProgram_ = 0;
    GLuint boundTextures_[2] = {};
    int blend_ = -1;
    int depthTest_ = -1;
    int depthWrite_ = -1;
    TargetId boundTarget_;
    PixelBox viewport_;
};

GLDevice::GLDevice(const GLCommands& commands) : gl_(commands), es_(currentIsES(gl_))
{
    preamble_ = es_ ? "#version 300 es\nprecision highp float;\nprecision highp int;\nprecision highp sampler2D;\n"
                    : "#version 330 core\n";
    gl_.GenVertexArrays(1, &triangleArray_);
    gl_.GenVertexArrays(1, &lineArray_);
    gl_.GenBuffers(1, &streamBuffer_);
    gl_.GenBuffers(1, &instanceBuffer_);
    streamCapacity_ = size_t{4} << 20;
    gl_.BindBuffer(GL_ARRAY_BUFFER, streamBuffer_);
    gl_.BufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(streamCapacity_), nullptr, GL_STREAM_DRAW);

    // One vertex per vertex: the stream buffer from its start; draws say where they begin.
    gl_.BindVertexArray(triangleArray_);
    const auto field = [](size_t offset) { return reinterpret_cast<const void*>(offset); };
    const GLsizei stride = sizeof(Vertex);
    gl_.VertexAttribPointer(kPosition, 3, GL_FLOAT, GL_FALSE, stride, field(offsetof(Vertex, position)));
    gl_.VertexAttribPointer(kColour, 4, GL_FLOAT, GL_FALSE, stride, field(offsetof(Vertex, colour)));
    gl_.VertexAttribPointer(kNormal, 3, GL_FLOAT, GL_FALSE, stride, field(offsetof(Vertex, normal)));
    gl_.VertexAttribPointer(kTexCoord, 2, GL_FLOAT, GL_FALSE, stride, field(offsetof(Vertex, texCoord)));
    for (GLuint a = 0; a < 4; ++a) gl_.EnableVertexAttribArray(a);
    // One segment per instance: its pointers are set for each draw.
    gl_.BindVertexArray(lineArray_);
    for (GLuint a = 0; a < 8; ++a) {
        gl_.EnableVertexAttribArray(a);
        gl_.VertexAttribDivisor(a, 1);
    }
    gl_.BindVertexArray(0);
    gl_.DepthFunc(GL_LEQUAL);
    gl_.PixelStorei(GL_PACK_ALIGNMENT, 1);
    gl_.PixelStorei(GL_UNPACK_ALIGNMENT, 1);
}

GLDevice::~GLDevice()
{
    for (auto& textured : shading_)
        for (auto& fogged : textured)
            for (auto& lined : fogged)
                for (Program& p : lined) gl_.DeleteProgram(p.name);
    for (auto& [name, p] : programs_) gl_.DeleteProgram(p.name);
    for (auto& [name, t] : targets_) {
        gl_.DeleteFramebuffers(1, &t.framebuffer);
        gl_.DeleteTextures(1, &t.colour);
        gl_.DeleteRenderbuffers(1, &t.depth);
    }
    for (auto& [name, m] : meshes_) {
        gl_.DeleteVertexArrays(1, &m.vertexArray);
        gl_.DeleteBuffers(1, &m.vertices);
        gl_.DeleteBuffers(1, &m.indices);
    }
    gl_.DeleteVertexArrays(1, &triangleArray_);
    gl_.DeleteVertexArrays(1, &lineArray_);
    gl_.DeleteBuffers(1, &streamBuffer_);
    gl_.DeleteBuffers(1, &instanceBuffer_);
}

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

DeviceInfo GLDevice::info() const
{
    std::string profile = "OpenGL ES";
    if (!es_) {
        GLint mask = 0;
        gl_.GetIntegerv(GL_CONTEXT_PROFILE_MASK, &mask);
        profile = (mask & GL_CONTEXT_CORE_PROFILE_BIT) ? "core profile" : "compatibility profile";
    }
    return {text(gl_, GL_RENDERER), (es_ ? "" : "OpenGL ") + text(gl_, GL_VERSION),
            text(gl_, GL_SHADING_LANGUAGE_VERSION), profile};
}

TextureId GLDevice::createTexture(const TextureSettings& settings, const uint8_t* rgba)
{
    GLuint name = 0;
    gl_.GenTextures(1, &name);
    bindTexture(0, TextureId{name});
    gl_.TexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, settings.width, settings.height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, settings.mipmapped ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
    gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    const GLint wrap = settings.repeat ? GL_REPEAT : GL_CLAMP_TO_EDGE;
    gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
    if (settings.mipmapped) gl_.GenerateMipmap(GL_TEXTURE_2D);
    return TextureId{name};
}

void GLDevice::destroyTexture(TextureId texture)
{
    for (GLuint& bound : boundTextures_)
        if (bound == texture.name) bound = 0;
    gl_.DeleteTextures(1, &texture.name);
}

Result<TargetNames> GLDevice::createTarget(int32_t width, int32_t height)
{
    Target t;
    gl_.GenTextures(1, &t.colour);
    bindTexture(0, TextureId{t.colour});
    gl_.TexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    gl_.GenRenderbuffers(1, &t.depth);
    gl_.BindRenderbuffer(GL_RENDERBUFFER, t.depth);
    gl_.RenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    gl_.GenFramebuffers(1, &t.framebuffer);
    gl_.BindFramebuffer(GL_FRAMEBUFFER, t.framebuffer);
    gl_.FramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, t.colour, 0);
    gl_.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, t.depth);
    // The target, with its attachments, must be one the GL can draw into.
    const GLenum status = gl_.CheckFramebufferStatus(GL_FRAMEBUFFER);
    gl_.BindFramebuffer(GL_FRAMEBUFFER, framebufferOf(boundTarget_));
    if (status != GL_FRAMEBUFFER_COMPLETE) {
        gl_.DeleteFramebuffers(1, &t.framebuffer);
        destroyTexture(TextureId{t.colour});
        gl_.DeleteRenderbuffers(1, &t.depth);
        return Failure{"the OpenGL driver cannot draw into a " + std::to_string(width) + "x" + std::to_string(height) +
                       " off-screen framebuffer (" + statusText(status) + ")"};
    }
    const TargetId name{nextName_++};
    targets_[name] = t;
    return TargetNames{name, TextureId{t.colour}};
}

void GLDevice::destroyTarget(TargetId target)
{
    const auto it = targets_.find(target);
    if (it == targets_.end()) return;
    if (boundTarget_ == target) bindTarget({});
    gl_.DeleteFramebuffers(1, &it->second.framebuffer);
    destroyTexture(TextureId{it->second.colour});
    gl_.DeleteRenderbuffers(1, &it->second.depth);
    targets_.erase(it);
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

MeshId GLDevice::createMesh(Topology topology, std::span<const Vertex> vertices, std::span<const uint32_t> indices,
                              MeshAttributes attributes)
{
    StoredMesh m;
    m.mode = topology == Topology::TriangleStrip ? GL_TRIANGLE_STRIP : GL_TRIANGLES;
    m.attributes = attributes;
    m.count = static_cast<GLsizei>(indices.empty() ? vertices.size() : indices.size());
    gl_.GenVertexArrays(1, &m.vertexArray);
    gl_.BindVertexArray(m.vertexArray);
    gl_.GenBuffers(1, &m.vertices);
    gl_.BindBuffer(GL_ARRAY_BUFFER, m.vertices);
    gl_.BufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size_bytes()), vertices.data(), GL_STATIC_DRAW);
    const auto field = [](size_t offset) { return reinterpret_cast<const void*>(offset); };
    const GLsizei stride = sizeof(Vertex);
    gl_.VertexAttribPointer(kPosition, 3, GL_FLOAT, GL_FALSE, stride, field(offsetof(Vertex, position)));
    gl_.EnableVertexAttribArray(kPosition);
    const struct {
        bool present;
        GLuint location;
        GLint size;
        size_t offset;
    } optional[] = {{attributes.colours, kColour, 4, offsetof(Vertex, colour)},
                    {attributes.normals, kNormal, 3, offsetof(Vertex, normal)},
                    {attributes.texCoords, kTexCoord, 2, offsetof(Vertex, texCoord)}};
    for (const auto& a : optional) {
        if (!a.present) continue;
        gl_.VertexAttribPointer(a.location, a.size, GL_FLOAT, GL_FALSE, stride, field(a.offset));
        gl_.EnableVertexAttribArray(a.location);
    }
    if (!indices.empty()) {
        gl_.GenBuffers(1, &m.indices);
        gl_.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, m.indices);
        gl_.BufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size_bytes()), indices.data(),
                     GL_STATIC_DRAW);
    }
    gl_.BindVertexArray(0);
    const MeshId id{nextName_++};
    meshes_[id] = m;
    return id;
}

void GLDevice::destroyMesh(MeshId mesh)
{
    const auto it = meshes_.find(mesh);
    if (it == meshes_.end()) return;
    gl_.DeleteVertexArrays(1, &it->second.vertexArray);
    gl_.DeleteBuffers(1, &it->second.vertices);
    gl_.DeleteBuffers(1, &it->second.indices);
    meshes_.erase(it);
}

GLuint GLDevice::framebufferOf(TargetId target) const
{
    const auto it = targets_.find(target);
    return it == targets_.end() ? 0 : it->second.framebuffer;
}

void GLDevice::bindTarget(TargetId target)
{
    boundTarget_ = target;
    gl_.BindFramebuffer(GL_FRAMEBUFFER, framebufferOf(target));
}

void GLDevice::viewport(const PixelBox& box)
{
    viewport_ = box;
    gl_.Viewport(box.x, box.y, box.width, box.height);
}

void GLDevice::clear(const std::array<float, 4>& rgba)
{
    // Depth writes must be on for the depth buffer to clear.
    if (depthWrite_ != 1) {
        gl_.DepthMask(GL_TRUE);
        depthWrite_ = 1;
    }
    gl_.ClearColor(rgba[0], rgba[1], rgba[2], rgba[3]);
    gl_.Clear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void GLDevice::readPixels(const PixelBox& box, uint8_t* rgba)
{
    gl_.ReadPixels(box.x, box.y, box.width, box.height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
}

void GLDevice::blit(TargetId source, const PixelBox& from, TargetId destination, const PixelBox& to, bool linear)
{
    gl_.BindFramebuffer(GL_READ_FRAMEBUFFER, framebufferOf(source));
    gl_.BindFramebuffer(GL_DRAW_FRAMEBUFFER, framebufferOf(destination));
    gl_.BlitFramebuffer(from.x, from.y, from.x + from.width, from.y + from.height, to.x, to.y, to.x + to.width,
                      to.y + to.height, GL_COLOR_BUFFER_BIT, linear ? GL_LINEAR : GL_NEAREST);
    gl_.BindFramebuffer(GL_FRAMEBUFFER, framebufferOf(boundTarget_));
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

void GLDevice::use(Program& p)
{
    if (currentProgram_ == p.name) return;
    gl_.UseProgram(p.name);
    currentProgram_ = p.name;
}

void GLDevice::bindTexture(GLuint unit, TextureId texture)
{
    if (boundTextures_[unit] == texture.name) return;
    gl_.ActiveTexture(GL_TEXTURE0 + unit);
    gl_.BindTexture(GL_TEXTURE_2D, texture.name);
    gl_.ActiveTexture(GL_TEXTURE0);
    boundTextures_[unit] = texture.name;
}

void GLDevice::setState(const DrawState& state)
{
    const int blend = static_cast<int>(state.blend);
    if (blend != blend_) {
        switch (state.blend) {
        case Blend::Off: gl_.Disable(GL_BLEND); break;
        case Blend::Alpha: gl_.BlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA); break;
        case Blend::Additive: gl_.BlendFunc(GL_SRC_ALPHA, GL_ONE); break;
        case Blend::Multiply: gl_.BlendFunc(GL_DST_COLOR, GL_ZERO); break;
        }
        if (state.blend != Blend::Off && (blend_ <= 0)) gl_.Enable(GL_BLEND);
        blend_ = blend;
    }
    if (depthTest_ != static_cast<int>(state.depthTest)) {
        if (state.depthTest)
            gl_.Enable(GL_DEPTH_TEST);
        else
            gl_.Disable(GL_DEPTH_TEST);
        depthTest_ = state.depthTest;
    }
    if (depthWrite_ != static_cast<int>(state.depthWrite)) {
        gl_.DepthMask(state.depthWrite ? GL_TRUE : GL_FALSE);
        depthWrite_ = state.depthWrite;
    }
    // A program samples what the state names on both units, nothing included (which reads
    // black); the built-in shading samples unit 0 when textured.
    if (state.program || state.texture) bindTexture(0, state.texture);
    if (state.program) bindTexture(1, state.secondTexture);
}

void GLDevice::set(Program& p, Slot slot, const float* values, int count)
{
    const GLint location = p.slots[slot];
    if (location < 0) return;
    if (p.known[slot] && std::memcmp(p.last[slot], values, sizeof(float) * static_cast<size_t>(count)) == 0) return;
    std::memcpy(p.last[slot], values, sizeof(float) * static_cast<size_t>(count));
    p.known[slot] = true;
    switch (count) {
    case 1: gl_.Uniform1fv(location, 1, values); break;
    case 2: gl_.Uniform2fv(location, 1, values); break;
    case 3: gl_.Uniform3fv(location, 1, values); break;
    case 4: gl_.Uniform4fv(location, 1, values); break;
    case 9: gl_.UniformMatrix3fv(location, 1, GL_FALSE, values); break;
    case 16: gl_.UniformMatrix4fv(location, 1, GL_FALSE, values); break;
    default: break;
    }
}

void GLDevice::setInt(Program& p, Slot slot, int value)
{
    const GLint location = p.slots[slot];
    if (location < 0) return;
    const auto asFloat = static_cast<float>(value);
    if (p.known[slot] && p.last[slot][0] == asFloat) return;
    p.last[slot][0] = asFloat;
    p.known[slot] = true;
    gl_.Uniform1i(location, value);
}

void GLDevice::setUniforms(Program& p, const DrawCall& call, bool lines)
{
    const ShaderInputs& in = call.inputs;
    set(p, kModelViewProjection, in.modelViewProjection.m.data(), 16);
    set(p, kModelView, in.modelView.m.data(), 16);
    setInt(p, kLighting, in.lighting);
    if (in.lit) {
        set(p, kNormalMatrix, in.normalMatrix.data(), 9);
        set(p, kLightPosition, in.lightPosition.data(), 4);
        set(p, kLightDirection, in.lightDirection.data(), 3);
        set(p, kHalfVector, in.halfVector.data(), 3);
        set(p, kSceneColour, in.sceneColour.data(), 4);
        set(p, kModelAmbient, in.modelAmbient.data(), 4);
        set(p, kLightAmbient, in.lightAmbient.data(), 4);
        set(p, kLightDiffuse, in.lightDiffuse.data(), 4);
        set(p, kLightSpecular, in.lightSpecular.data(), 4);
        set(p, kAmbientProduct, in.ambientProduct.data(), 4);
        set(p, kDiffuseProduct, in.diffuseProduct.data(), 4);
        set(p, kSpecularProduct, in.specularProduct.data(), 4);
        set(p, kShininess, &in.shininess, 1);
        set(p, kMaterialAmbient, in.materialAmbient.data(), 4);
        set(p, kMaterialDiffuse, in.materialDiffuse.data(), 4);
        set(p, kMaterialSpecular, in.materialSpecular.data(), 4);
    }
    if (in.fog) {
        set(p, kFogScale, &in.fogScale, 1);
        set(p, kFogOffset, &in.fogOffset, 1);
    }
    const DrawState& state = call.state;
    if (lines) {
        const float halfWidth = static_cast<float>(viewport_.width) * 0.5f;
        const float halfHeight = static_cast<float>(viewport_.height) * 0.5f;
        const float scale[2] = {halfWidth, halfHeight};
        const float offset[2] = {halfWidth + static_cast<float>(viewport_.x),
                                 halfHeight + static_cast<float>(viewport_.y)};
        set(p, kViewportScale, scale, 2);
        set(p, kViewportOffset, offset, 2);
        set(p, kLineWidth, &state.lineWidth, 1);
        setInt(p, kSmoothLines, state.smoothLines ? 1 : 0);
    }
    if (state.program) setOwnUniforms(p, state.uniforms);
}

void GLDevice::setOwnUniforms(Program& p, const std::array<ProgramUniform, 2>& uniforms)
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

size_t GLDevice::stream(const void* data, size_t bytes)
{
    gl_.BindBuffer(GL_ARRAY_BUFFER, streamBuffer_);
    // Whole vertices from the buffer's start, so that a draw can say where it begins by index.
    streamOffset_ = (streamOffset_ + sizeof(Vertex) - 1) / sizeof(Vertex) * sizeof(Vertex);
    if (streamOffset_ + bytes > streamCapacity_) {
        // A fresh buffer: the driver keeps the old one for the draws still using it.
        while (bytes > streamCapacity_) streamCapacity_ *= 2;
        gl_.BufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(streamCapacity_), nullptr, GL_STREAM_DRAW);
        streamOffset_ = 0;
    }
    const size_t at = streamOffset_;
    gl_.BufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(at), static_cast<GLsizeiptr>(bytes), data);
    streamOffset_ += bytes;
    return at;
}

void GLDevice::draw(const DrawCall& call)
{
    const bool lines = call.topology == Topology::Lines || call.topology == Topology::LineStrip;
    Program& p = programFor(call, lines);
    if (!p.linked) return;
    use(p);
    setState(call.state);
    setUniforms(p, call, lines);
    if (call.mesh) {
        const auto it = meshes_.find(call.mesh);
        if (it == meshes_.end()) return;
        const StoredMesh& m = it->second;
        gl_.BindVertexArray(m.vertexArray);
        // What the mesh's vertices lack is the same for all of them.
        if (!m.attributes.colours) gl_.VertexAttrib4fv(kColour, call.current.colour);
        if (!m.attributes.normals) gl_.VertexAttrib3fv(kNormal, call.current.normal);
        if (!m.attributes.texCoords) gl_.VertexAttrib2fv(kTexCoord, call.current.texCoord);
        if (m.indices)
            gl_.DrawElements(m.mode, m.count, GL_UNSIGNED_INT, nullptr);
        else
            gl_.DrawArrays(m.mode, 0, m.count);
        gl_.BindVertexArray(0);
        return;
    }
    if (lines) {
        drawLines(call);
        return;
    }
    const size_t at = stream(call.vertices.data(), call.vertices.size_bytes());
    gl_.BindVertexArray(triangleArray_);
    gl_.DrawArrays(call.topology == Topology::TriangleStrip ? GL_TRIANGLE_STRIP : GL_TRIANGLES,
                 static_cast<GLint>(at / sizeof(Vertex)), static_cast<GLsizei>(call.vertices.size()));
    gl_.BindVertexArray(0);
}

void GLDevice::drawLines(const DrawCall& call)
{
    const size_t count = call.vertices.size();
    const bool strip = call.topology == Topology::LineStrip;
    const size_t segments = strip ? count - 1 : count / 2;
    if (segments == 0) return;
    const size_t at = stream(call.vertices.data(), call.vertices.size_bytes());
    gl_.BindVertexArray(lineArray_);
    // Segment i runs from vertex i to i + 1 of a strip, from 2i to 2i + 1 of separate lines.
    const auto stride = static_cast<GLsizei>(sizeof(Vertex) * (strip ? 1 : 2));
    for (GLuint end = 0; end < 2; ++end) {
        const size_t base = at + end * sizeof(Vertex);
        const auto field = [base](size_t offset) { return reinterpret_cast<const void*>(base + offset); };
        gl_.VertexAttribPointer(4 * end + kPosition, 3, GL_FLOAT, GL_FALSE, stride, field(offsetof(Vertex, position)));
        gl_.VertexAttribPointer(4 * end + kColour, 4, GL_FLOAT, GL_FALSE, stride, field(offsetof(Vertex, colour)));
        gl_.VertexAttribPointer(4 * end + kNormal, 3, GL_FLOAT, GL_FALSE, stride, field(offsetof(Vertex, normal)));
        gl_.VertexAttribPointer(4 * end + kTexCoord, 2, GL_FLOAT, GL_FALSE, stride, field(offsetof(Vertex, texCoord)));
    }
    gl_.DrawArraysInstanced(GL_TRIANGLES, 0, 6, static_cast<GLsizei>(segments));
    gl_.BindVertexArray(0);
}

void GLDevice::drawInstances(const DrawCall& call, const Instances& instances)
{
    const auto it = meshes_.find(call.mesh);
    if (!call.state.program || !programLinked(call.state.program) || it == meshes_.end()) return;
    Program& p = programFor(call, false);
    use(p);
    setState(call.state);
    setUniforms(p, call, false);
    const StoredMesh& m = it->second;
    gl_.BindVertexArray(m.vertexArray);
    gl_.BindBuffer(GL_ARRAY_BUFFER, instanceBuffer_);
    gl_.BufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(instances.stride * instances.count), instances.records,
                 GL_STREAM_DRAW);
    for (const InstanceAttribute& a : instances.attributes) {
        auto found = p.named.find(a.name);
        if (found == p.named.end()) found = p.named.emplace(a.name, gl_.GetAttribLocation(p.name, a.name)).first;
        if (found->second < 0) continue;
        const auto location = static_cast<GLuint>(found->second);
        gl_.EnableVertexAttribArray(location);
        gl_.VertexAttribPointer(location, a.components, GL_FLOAT, GL_FALSE, static_cast<GLsizei>(instances.stride),
                              reinterpret_cast<const void*>(a.offset));
        gl_.VertexAttribDivisor(location, 1);
    }
    if (m.indices)
        gl_.DrawElementsInstanced(m.mode, m.count, GL_UNSIGNED_INT, nullptr, static_cast<GLsizei>(instances.count));
    else
        gl_.DrawArraysInstanced(m.mode, 0, m.count, static_cast<GLsizei>(instances.count));
    // The mesh's arrays are left as it was made.
    for (const InstanceAttribute& a : instances.attributes)
        if (const GLint location = p.named.find(a.name)->second; location >= 0) {
            gl_.VertexAttribDivisor(static_cast<GLuint>(location), 0);
            gl_.DisableVertexAttribArray(static_cast<GLuint>(location));
        }
    gl_.BindVertexArray(0);
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
