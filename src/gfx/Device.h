#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/Result.h"
#include "gfx/DrawState.h"
#include "gfx/ShaderInputs.h"
#include "math/Matrix.h"

// One vertex as the drawing layer hands vertices to a device.
struct Vertex {
    float position[3];
    float colour[4];    // RGBA, not yet clamped
    float normal[3];    // as given: not normalised
    float texCoord[2];
};

// Light 0, the light model, the material and the fog as the built-in shading uses them, with
// the values a new GL context starts with.
struct Shading {
    std::array<float, 4> lightPosition{0, 0, 1, 0};  // in the eye's frame; w = 0: a direction towards the light
    std::array<float, 4> lightAmbient{0, 0, 0, 1};
    std::array<float, 4> lightDiffuse{1, 1, 1, 1};
    std::array<float, 4> lightSpecular{1, 1, 1, 1};
    std::array<float, 4> modelAmbient{0.2f, 0.2f, 0.2f, 1};  // the light model's ambient light
    std::array<float, 4> materialAmbient{0.2f, 0.2f, 0.2f, 1};
    std::array<float, 4> materialDiffuse{0.8f, 0.8f, 0.8f, 1};
    std::array<float, 4> materialSpecular{0, 0, 0, 1};
    float shininess = 0;  // the specular exponent
    float fogEnd = 1;     // eye depth at which the linear black fog, from 0 at the eye, is complete

    bool operator==(const Shading&) const = default;
};

// The primitives a device draws; the drawing layer turns the others into these.
enum class Topology : uint8_t { Triangles, TriangleStrip, Lines, LineStrip };

// Which attributes a stored mesh's vertices carry; the others come from the draw.
struct MeshAttributes {
    bool colours = false;
    bool normals = false;
    bool texCoords = false;
};

// One draw: vertices given with it, or a stored mesh, with everything they are drawn with.
struct DrawCall {
    Topology topology = Topology::Triangles;
    std::span<const Vertex> vertices;  // empty for a mesh
    MeshId mesh{};                     // a stored mesh, none for the vertices above
    DrawState state;
    ShaderInputs inputs;  // the matrices, light, material and fog as the shading receives them
    Vertex current{};  // the colour, normal and texture coordinate of a mesh's vertices that lack them
};

// Per-instance values of an instanced draw: `count` records of `stride` bytes, each field
// given to the program's attribute of that name.
struct InstanceAttribute {
    const char* name;
    int components;  // floats
    size_t offset;   // bytes into a record
};
struct Instances {
    const void* records = nullptr;
    size_t stride = 0;
    size_t count = 0;
    std::span<const InstanceAttribute> attributes;
};

// A rectangle of pixels from the lower left corner.
struct PixelBox {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const PixelBox&) const = default;
};

// How a texture samples and what it holds.
struct TextureSettings {
    int32_t width = 0;
    int32_t height = 0;
    bool mipmapped = false;  // a full chain of halved levels, sampled trilinearly when minified
    bool repeat = true;      // coordinates wrap; else they clamp to the edge texels
};

// A sampler of a program and the texture unit it reads, for good.
struct SamplerUnit {
    const char* name;
    int32_t unit;
};

// What a device is, in words.
struct DeviceInfo {
    std::string renderer;
    std::string version;  // "OpenGL 4.5 (Core Profile) Mesa ...", "OpenGL ES 3.2 Mesa ..."
    std::string shadingLanguage;
    std::string profile;  // "core profile", "OpenGL ES" or "no GPU"
};

// A render target's names: its framebuffer and its colour texture.
struct TargetNames {
    TargetId target;
    TextureId colour;
};

// What draws: the OpenGL 3.3 core / OpenGL ES 3.0 backend, or one that draws nothing. Names
// of resources are the device's own (0 is none); passes and draws act on the bound target.
class Device {
public:
    virtual ~Device() = default;

    virtual DeviceInfo info() const = 0;

    // A texture of 8-bit RGBA texels, rows from the bottom.
    virtual TextureId createTexture(const TextureSettings& settings, const uint8_t* rgba) = 0;
    virtual void destroyTexture(TextureId texture) = 0;
    // A colour texture and a depth buffer of width x height to draw into; a size the device
    // cannot draw into is a failure that says so.
    virtual Result<TargetNames> createTarget(int32_t width, int32_t height) = 0;
    virtual void destroyTarget(TargetId target) = 0;
    // A program from GLSL without its version line, which the device adds for its dialect,
    // its samplers bound to their units. Compile and link errors are added to `failures`, one
    // line each naming the program; a program that failed draws nothing.
    virtual ProgramId createProgram(const char* vertexSource, const char* fragmentSource, const char* name,
                                    std::span<const SamplerUnit> samplers, std::vector<std::string>& failures) = 0;
    virtual void destroyProgram(ProgramId program) = 0;
    // Whether the program was built and linked.
    virtual bool programLinked(ProgramId program) const = 0;
    virtual MeshId createMesh(Topology topology, std::span<const Vertex> vertices, std::span<const uint32_t> indices,
                              MeshAttributes attributes) = 0;
    virtual void destroyMesh(MeshId mesh) = 0;

    // The target later passes, draws and read-backs act on (none: the window's own framebuffer).
    virtual void bindTarget(TargetId target) = 0;
    virtual void viewport(const PixelBox& box) = 0;
    // The whole bound target: colour to `rgba`, depth to the far plane.
    virtual void clear(const std::array<float, 4>& rgba) = 0;
    virtual void draw(const DrawCall& call) = 0;
    // The call's mesh once per instance.
    virtual void drawInstances(const DrawCall& call, const Instances& instances) = 0;
    // The bound target's pixels in the box, RGBA, rows from the bottom.
    virtual void readPixels(const PixelBox& box, uint8_t* rgba) = 0;
    // Copies the box `from` of one target onto the box `to` of another, scaled, filtered
    // linearly or not.
    virtual void blit(TargetId source, const PixelBox& from, TargetId destination, const PixelBox& to,
                      bool linear) = 0;
    // Waits until everything asked has been drawn.
    virtual void finish() = 0;
};
