#include "gfx/Gfx.h"

#include <algorithm>
#include <cassert>

namespace {

// The current attributes a new GL context starts with: white, facing +z, texture origin.
constexpr Vertex kInitialAttributes{{0, 0, 0}, {1, 1, 1, 1}, {0, 0, 1}, {0, 0}};

// Whether any of the vertices lies outside the view volume under the modelview-projection.
bool leavesView(const Mat4& mvp, const Vertex* v, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        const auto c = transformPoint(mvp, v[i].position[0], v[i].position[1], v[i].position[2], 1);
        if (c[0] < -c[3] || c[0] > c[3] || c[1] < -c[3] || c[1] > c[3] || c[2] < -c[3] || c[2] > c[3]) return true;
    }
    return false;
}

// Vertices of quads are handed on as the rasteriser takes them, in pieces of this many.
constexpr size_t kQuadPiece = 4096;

// What the device draws of a primitive's vertices: how many of them (an incomplete last piece
// left out) and as what. Quads, polygons and loops need remaking (`remade`); the others are
// drawn as given.
struct Shaped {
    Topology topology;
    size_t count;
    bool remade;
};

Shaped kind(Primitive primitive, size_t n)
{
    switch (primitive) {
    case Primitive::Lines: return {Topology::Lines, n / 2 * 2, false};
    case Primitive::LineStrip: return {Topology::LineStrip, n >= 2 ? n : 0, false};
    case Primitive::LineLoop: return {Topology::LineStrip, n >= 2 ? n : 0, true};
    case Primitive::Triangles: return {Topology::Triangles, n / 3 * 3, false};
    case Primitive::TriangleStrip: return {Topology::TriangleStrip, n >= 3 ? n : 0, false};
    case Primitive::Quads: return {Topology::Triangles, n / 4 * 4, true};
    case Primitive::Polygon: return {Topology::Triangles, n >= 3 ? n : 0, true};
    }
    return {Topology::Triangles, 0, false};
}

// Remakes quads, a polygon or a loop as triangles or a strip, in the order the rasteriser
// takes them from the primitive itself. A piece of quads is split along its quads' 0-2
// diagonal, or along their 1-3 diagonal where a vertex of the piece lies outside the view and
// the piece is clipped; a polygon is a fan around its first vertex; a loop goes back to its
// first vertex.
void remake(Primitive primitive, std::span<const Vertex> in, const Mat4& mvp, std::vector<Vertex>& out)
{
    out.clear();
    const size_t n = in.size();
    switch (primitive) {
    case Primitive::LineLoop:
        out.assign(in.begin(), in.end());
        out.push_back(in.front());
        return;
    case Primitive::Quads: {
        const bool clipped = leavesView(mvp, in.data(), n);
        for (size_t i = 3; i < n; i += 4)
            if (clipped)
                for (const size_t k : {i - 3, i - 2, i, i - 2, i - 1, i}) out.push_back(in[k]);
            else
                for (const size_t k : {i - 3, i - 2, i - 1, i - 3, i - 1, i}) out.push_back(in[k]);
        return;
    }
    case Primitive::Polygon:
        for (size_t i = 2; i < n; ++i)
            for (const size_t k : {i - 1, i, size_t{0}}) out.push_back(in[k]);
        return;
    default:
        return;
    }
}

}  // namespace

Gfx::Gfx(Device& device) : device_(device), draws_(&device), current_(kInitialAttributes)
{
    // Room for the largest primitives the intro builds (a metaball surface, about 20,000
    // vertices) and for a piece of quads remade, so that drawing allocates nothing.
    built_.reserve(1 << 15);
    shaped_.reserve(kQuadPiece / 4 * 6);
}

Texture Gfx::createTexture(const TextureSettings& settings, const uint8_t* rgba)
{
    return Texture(device_, device_.createTexture(settings, rgba), settings);
}

Result<RenderTarget> Gfx::createTarget(int32_t width, int32_t height)
{
    return RenderTarget::create(device_, width, height);
}

Mesh Gfx::createMesh(Topology topology, std::span<const Vertex> vertices, std::span<const uint32_t> indices,
                     MeshAttributes attributes)
{
    assert(topology == Topology::Triangles || topology == Topology::TriangleStrip);
    return Mesh(device_, device_.createMesh(topology, vertices, indices, attributes), topology);
}

void Gfx::setDrawing(bool on) { draws_ = on ? &device_ : &idle_; }

void Gfx::bindTarget(const RenderTarget* target) { draws_->bindTarget(target ? target->id() : TargetId{}); }

void Gfx::viewport(int32_t x, int32_t y, int32_t width, int32_t height) { draws_->viewport({x, y, width, height}); }

void Gfx::clear(float r, float g, float b, float a) { draws_->clear({r, g, b, a}); }

void Gfx::readPixels(const PixelBox& box, uint8_t* rgba) { draws_->readPixels(box, rgba); }

void Gfx::blit(const RenderTarget* source, const PixelBox& from, const RenderTarget* destination, const PixelBox& to,
               bool linear)
{
    draws_->blit(source ? source->id() : TargetId{}, from, destination ? destination->id() : TargetId{}, to, linear);
}

void Gfx::finish() { draws_->finish(); }

void Gfx::colour(float r, float g, float b, float a)
{
    current_.colour[0] = r;
    current_.colour[1] = g;
    current_.colour[2] = b;
    current_.colour[3] = a;
}

void Gfx::normal(float x, float y, float z)
{
    current_.normal[0] = x;
    current_.normal[1] = y;
    current_.normal[2] = z;
}

void Gfx::texCoord(float s, float t)
{
    current_.texCoord[0] = s;
    current_.texCoord[1] = t;
}

void Gfx::begin(Primitive primitive, const DrawState& state)
{
    primitive_ = primitive;
    state_ = state;
    inPrimitive_ = true;
    built_.clear();
}

void Gfx::vertex(float x, float y, float z)
{
    if (!inPrimitive_ || !drawing()) return;
    Vertex v = current_;
    v.position[0] = x;
    v.position[1] = y;
    v.position[2] = z;
    built_.push_back(v);
    // A piece of quads is drawn as it is complete.
    if (primitive_ == Primitive::Quads && built_.size() == kQuadPiece) {
        flush(primitive_, state_);
        built_.clear();
    }
}

void Gfx::end()
{
    if (!inPrimitive_) return;
    inPrimitive_ = false;
    if (drawing()) flush(primitive_, state_);
}

void Gfx::flush(Primitive primitive, const DrawState& state)
{
    const Shaped shaped = kind(primitive, built_.size());
    if (shaped.count == 0) return;
    const std::span<const Vertex> given(built_.data(), shaped.count);
    if (!shaped.remade) {
        submit(state, shaped.topology, given);
        return;
    }
    const Mat4 mvp = projection.top() * modelView.top();
    const size_t piece = primitive == Primitive::Quads ? kQuadPiece : given.size();
    for (size_t from = 0; from < given.size(); from += piece) {
        remake(primitive, given.subspan(from, std::min(piece, given.size() - from)), mvp, shaped_);
        submit(state, shaped.topology, shaped_);
    }
}

DrawCall Gfx::call(const DrawState& state) const
{
    DrawCall c;
    c.state = state;
    // Worked out only for a device that draws: the idle one takes nothing from them.
    if (drawing()) c.inputs = shaderInputs(state, modelView.top(), projection.top(), shading_);
    c.current = current_;
    return c;
}

void Gfx::submit(const DrawState& state, Topology topology, std::span<const Vertex> vertices)
{
    DrawCall c = call(state);
    c.topology = topology;
    c.vertices = vertices;
    draws_->draw(c);
}

void Gfx::drawArrays(Primitive primitive, const DrawState& state, const VertexArrays& a)
{
    if (!drawing()) return;
    built_.clear();
    const size_t count = a.indices.empty() ? a.count : a.indices.size();
    for (size_t k = 0; k < count; ++k) {
        const size_t i = a.indices.empty() ? k : a.indices[k];
        Vertex v = current_;
        const float* p = a.positions + i * a.positionStride;
        std::copy(p, p + 3, v.position);
        if (a.normals) std::copy(a.normals + i * a.normalStride, a.normals + i * a.normalStride + 3, v.normal);
        if (a.texCoords)
            std::copy(a.texCoords + i * a.texCoordStride, a.texCoords + i * a.texCoordStride + 2, v.texCoord);
        built_.push_back(v);
    }
    flush(primitive, state);
}

void Gfx::draw(const Mesh& mesh, const DrawState& state)
{
    if (!drawing()) return;
    DrawCall c = call(state);
    c.topology = mesh.topology();
    c.mesh = mesh.id();
    draws_->draw(c);
}

void Gfx::drawInstances(const Mesh& mesh, const DrawState& state, const Instances& instances)
{
    if (!drawing() || instances.count == 0) return;
    DrawCall c = call(state);
    c.topology = mesh.topology();
    c.mesh = mesh.id();
    draws_->drawInstances(c, instances);
}

void Gfx::setLight(const std::array<float, 4>& position, const std::array<float, 4>& ambient,
                   const std::array<float, 4>& diffuse, const std::array<float, 4>& specular)
{
    setLightPosition(position);
    shading_.lightAmbient = ambient;
    shading_.lightDiffuse = diffuse;
    shading_.lightSpecular = specular;
}

void Gfx::setLightPosition(const std::array<float, 4>& p)
{
    shading_.lightPosition = transformPoint(modelView.top(), p[0], p[1], p[2], p[3]);
}

void Gfx::setModelAmbient(const std::array<float, 4>& rgba) { shading_.modelAmbient = rgba; }

void Gfx::setMaterial(const std::array<float, 4>& ambient, const std::array<float, 4>& diffuse,
                      const std::array<float, 4>& specular, float shininess)
{
    shading_.materialAmbient = ambient;
    shading_.materialDiffuse = diffuse;
    shading_.materialSpecular = specular;
    shading_.shininess = shininess;
}

void Gfx::setFog(float end) { shading_.fogEnd = end; }

void Gfx::restore(const Carried& carried)
{
    projection = carried.projection;
    modelView = carried.modelView;
    current_ = carried.current;
    shading_ = carried.shading;
}

