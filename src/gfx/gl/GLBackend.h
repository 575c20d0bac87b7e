// The OpenGL backend's own declarations, which only its sources include: the uniforms and
// attributes every program shares, what the device keeps of each resource, and the device.
#pragma once

#include <array>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "gfx/Device.h"
#include "gfx/gl/GLCommands.h"

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
inline constexpr const char* kSlotNames[kSlotCount] = {
    "uModelViewProjection", "uModelView",      "uNormalMatrix",   "uLighting",        "uLightPosition",
    "uLightDirection",      "uHalfVector",     "uSceneColour",    "uModelAmbient",    "uLightAmbient",
    "uLightDiffuse",        "uLightSpecular",  "uAmbientProduct", "uDiffuseProduct",  "uSpecularProduct",
    "uShininess",           "uMaterialAmbient", "uMaterialDiffuse", "uMaterialSpecular", "uFogScale",
    "uFogOffset",           "uViewportScale",  "uViewportOffset", "uLineWidth",       "uSmoothLines"};

// Attribute locations, the same in every program: a vertex's own, then a segment's second end.
inline constexpr const char* kAttributeNames[] = {"aPosition",  "aColour",  "aNormal",  "aTexCoord",
                                           "aPositionA", "aColourA", "aNormalA", "aTexCoordA",
                                           "aPositionB", "aColourB", "aNormalB", "aTexCoordB"};
inline constexpr GLuint kAttributeLocations[] = {0, 1, 2, 3, 0, 1, 2, 3, 4, 5, 6, 7};
inline constexpr GLuint kPosition = 0, kColour = 1, kNormal = 2, kTexCoord = 3;

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

// The text the context gives for `name` (GL_VERSION, GL_RENDERER, ...), or "unknown".
std::string text(const GLCommands& gl, GLenum name);
// Whether the current context is OpenGL ES, whose version text starts "OpenGL ES".
bool currentIsES(const GLCommands& gl);

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
    void setOwnUniforms(Program& p, const std::array<ProgramUniform, 4>& uniforms);
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
    GLuint boundTextures_[3] = {};
    int blend_ = -1;
    int depthTest_ = -1;
    int depthWrite_ = -1;
    TargetId boundTarget_;
    PixelBox viewport_;
};
