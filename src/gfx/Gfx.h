#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "gfx/Device.h"
#include "gfx/DrawState.h"
#include "gfx/Mesh.h"
#include "gfx/NullDevice.h"
#include "gfx/RenderTarget.h"
#include "gfx/Texture.h"
#include "math/Matrix.h"
#include "math/Vec3.h"

// Client-side vertex arrays: each vertex's position, and its normal and texture coordinate
// where given (else the current ones), with the current colour. Strides in floats.
struct VertexArrays {
    const float* positions = nullptr;
    size_t positionStride = 3;
    const float* normals = nullptr;
    size_t normalStride = 3;
    const float* texCoords = nullptr;
    size_t texCoordStride = 2;
    std::span<const uint32_t> indices;  // which vertices, in order; none: the first `count`
    size_t count = 0;
};

// The drawing layer: what the intro draws goes through here, to a device.
//
// Primitives are built vertex by vertex between begin() and end(), each vertex taking the
// current colour, normal and texture coordinate (set before or between vertices, kept until
// set again), or drawn from stored meshes. Every draw states its whole DrawState. The two
// matrix stacks, the current attributes and the shading (light 0, the material, the fog) are
// the layer's own and carry from draw to draw and frame to frame, as the scenes compose them.
//
// With drawing off (setDrawing(false)) draws, passes and clears go to a device that draws
// nothing, while everything the layer keeps goes on as if they were drawn: the frames a late
// moment needs before it can be run through without a GPU.
class Gfx {
public:
    explicit Gfx(Device& device);
    Gfx(const Gfx&) = delete;
    Gfx& operator=(const Gfx&) = delete;

    Device& device() { return device_; }
    DeviceInfo info() const { return device_.info(); }

    // Resources, made on the device whatever the drawing. Pixels are 8-bit RGBA, rows from
    // the bottom.
    Texture createTexture(const TextureSettings& settings, const uint8_t* rgba);
    Result<RenderTarget> createTarget(int32_t width, int32_t height);
    // A mesh of triangles or of a triangle strip, indexed or not; lines are drawn from vertices
    // given with each draw.
    Mesh createMesh(Topology topology, std::span<const Vertex> vertices, std::span<const uint32_t> indices,
                    MeshAttributes attributes);

    void setDrawing(bool on);
    bool drawing() const { return draws_ == &device_; }

    // Where the next passes and draws go: a target, or the window's framebuffer (null).
    void bindTarget(const RenderTarget* target);
    void viewport(int32_t x, int32_t y, int32_t width, int32_t height);
    // The whole bound target to a colour, its depth to the far plane.
    void clear(float r, float g, float b, float a);
    // The bound target's pixels, RGBA, rows from the bottom (nothing is read while not drawing).
    void readPixels(const PixelBox& box, uint8_t* rgba);
    // Copies a box of one target (null: the window's framebuffer) onto a box of another.
    void blit(const RenderTarget* source, const PixelBox& from, const RenderTarget* destination, const PixelBox& to,
              bool linear);
    // Waits until everything asked has been drawn.
    void finish();

    MatrixStack projection;
    MatrixStack modelView;

    void colour(float r, float g, float b, float a);
    void colour(const Vec3& rgb, float a) { colour(rgb.x, rgb.y, rgb.z, a); }
    std::array<float, 4> colour() const
    {
        return {current_.colour[0], current_.colour[1], current_.colour[2], current_.colour[3]};
    }
    void normal(float x, float y, float z);
    void texCoord(float s, float t);

    // A primitive from the vertices given until end(); an incomplete last piece of it (a
    // lone vertex of a line, a triangle of two) is left out.
    void begin(Primitive primitive, const DrawState& state);
    void vertex(float x, float y, float z);
    void vertex(const Vec3& v) { vertex(v.x, v.y, v.z); }
    void end();
    // A primitive from client-side arrays; the current attributes stay as they were.
    void drawArrays(Primitive primitive, const DrawState& state, const VertexArrays& arrays);
    // A stored mesh; what its vertices lack comes from the current attributes.
    void draw(const Mesh& mesh, const DrawState& state);
    // A stored mesh once per instance, through the state's program.
    void drawInstances(const Mesh& mesh, const DrawState& state, const Instances& instances);

    // Light 0: its position (w = 0: a direction) goes through the current modelview, as it
    // stands now, into the eye's frame.
    void setLight(const std::array<float, 4>& position, const std::array<float, 4>& ambient,
                  const std::array<float, 4>& diffuse, const std::array<float, 4>& specular);
    void setLightPosition(const std::array<float, 4>& position);
    void setModelAmbient(const std::array<float, 4>& rgba);
    void setMaterial(const std::array<float, 4>& ambient, const std::array<float, 4>& diffuse,
                     const std::array<float, 4>& specular, float shininess);
    // Linear black fog from the eye to `end` units of eye depth.
    void setFog(float end);
    const Shading& shading() const { return shading_; }
    // What the layer carries from draw to draw and frame to frame, as a value.
    struct Carried {
        MatrixStack projection;
        MatrixStack modelView;
        Vertex current;
        Shading shading;
    };
    Carried carried() const { return {projection, modelView, current_, shading_}; }
    void restore(const Carried& carried);

    // The vertices of the primitive being built (tests look at them).
    std::span<const Vertex> building() const { return built_; }

private:
    // Draws the vertices built so far as the primitive.
    void flush(Primitive primitive, const DrawState& state);
    void submit(const DrawState& state, Topology topology, std::span<const Vertex> vertices);
    DrawCall call(const DrawState& state) const;

    Device& device_;
    NullDevice idle_;
    Device* draws_;  // device_ while drawing, idle_ while not

    Vertex current_{};
    Shading shading_;
    Primitive primitive_ = Primitive::Triangles;
    DrawState state_;
    bool inPrimitive_ = false;
    std::vector<Vertex> built_;   // the vertices given since begin() (or since the last piece of quads)
    std::vector<Vertex> shaped_;  // quads, a polygon or a loop remade as the device draws them
};
