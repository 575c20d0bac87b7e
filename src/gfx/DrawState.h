#pragma once

#include <array>
#include <cstdint>

// What the vertices of one draw make.
enum class Primitive : uint8_t {
    Lines,          // pairs of vertices
    LineStrip,
    LineLoop,       // a strip closed back to its first vertex
    Triangles,
    TriangleStrip,
    Quads,          // four vertices each, as the triangles (0, 1, 3) and (1, 2, 3)
    Polygon,        // one convex polygon, as a fan of triangles around its first vertex
};

// How a draw's colour meets what the target holds (source colour s of alpha a, target d).
enum class Blend : uint8_t {
    Off,       // s
    Alpha,     // s·a + d·(1 − a)
    Additive,  // s·a + d
    Multiply,  // s·d
};

// How the built-in shading colours a vertex.
enum class Lighting : uint8_t {
    Off,             // its colour
    Material,        // light 0 on the material
    ColourMaterial,  // light 0 on the material, whose ambient and diffuse colours are the vertex's colour
};

// A resource of a device, by its name there; 0 is none. The tag keeps the kinds apart.
template <typename Tag>
struct DeviceId {
    uint32_t name = 0;
    explicit operator bool() const { return name != 0; }
    auto operator<=>(const DeviceId&) const = default;
};
using TextureId = DeviceId<struct TextureTag>;
using MeshId = DeviceId<struct MeshTag>;
using TargetId = DeviceId<struct TargetTag>;
using ProgramId = DeviceId<struct ProgramTag>;

// One of a program's own float uniforms, by name (a literal's, not owned), and its value for
// one draw.
struct ProgramUniform {
    const char* name = nullptr;
    float value = 0;
    bool operator==(const ProgramUniform&) const = default;
};

// Everything a draw depends on besides its vertices, the matrices and the lights: stated in
// full for each draw, so that nothing is left behind for the next one.
struct DrawState {
    Blend blend = Blend::Off;
    bool depthTest = false;   // nearer or as near as what is there passes
    bool depthWrite = true;
    Lighting lighting = Lighting::Off;
    bool fog = false;         // linear black fog by eye depth, as the fog is set
    TextureId texture{};      // on unit 0, its texels times the colour; none: the colour alone
    std::array<TextureId, 2> moreTextures{};  // on units 1 and 2, for a program that samples more
    // Shades the draw instead of the built-in shading; none: texture, lighting and fog as above.
    ProgramId program{};
    // The values of the program's own uniforms in this draw. A program keeps none from one draw
    // to the next: one that an earlier draw gave and this one does not is 0.
    std::array<ProgramUniform, 4> uniforms{};
    float lineWidth = 1.0f;   // pixels, for lines
    bool smoothLines = false; // lines as rectangles with soft edges, else as pixel runs

    bool operator==(const DrawState&) const = default;

    DrawState withTexture(TextureId t) const
    {
        DrawState s = *this;
        s.texture = t;
        return s;
    }
};
