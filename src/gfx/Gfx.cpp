#include "gfx/Gfx.h"

#include <algorithm>

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

// The triangles a primitive's vertices make, in the order the rasteriser takes them from the
// primitive itself; strips and lines as they are.
void shape(Primitive primitive, const std::vector<Vertex>& in, std::vector<Vertex>& out, Topology& topology,
           const Mat4& mvp)
{
    out.clear();
    const size_t n = in.size();
    switch (primitive) {
    case Primitive::Lines:
        topology = Topology::Lines;
        out.assign(in.begin(), in.begin() + static_cast<std::ptrdiff_t>(n / 2 * 2));
        return;
    case Primitive::LineStrip:
        topology = Topology::LineStrip;
        if (n >= 2) out = in;
        return;
    case Primitive::LineLoop:
        topology = Topology::LineStrip;
        if (n < 2) return;
        out = in;
        out.push_back(in.front());
        return;
    case Primitive::Triangles:
        topology = Topology::Triangles;
        out.assign(in.begin(), in.begin() + static_cast<std::ptrdiff_t>(n / 3 * 3));
        return;
    case Primitive::TriangleStrip:
        topology = Topology::TriangleStrip;
        if (n >= 3) out = in;
        return;
    case Primitive::Quads:
        topology = Topology::Triangles;
        // As the rasteriser takes quads: in pieces of 4096 vertices, each split along its
        // quads' 0-2 diagonal, or along their 1-3 diagonal where a vertex of the piece lies
        // outside the view and the piece is clipped.
        for (size_t chunk = 0; chunk < n / 4 * 4; chunk += 4096) {
            const size_t end = std::min(n / 4 * 4, chunk + 4096);
            const bool clipped = leavesView(mvp, in.data() + chunk, end - chunk);
            for (size_t i = chunk + 3; i < end; i += 4) {
                if (clipped)
                    for (const size_t k : {i - 3, i - 2, i, i - 2, i - 1, i}) out.push_back(in[k]);
                else
                    for (const size_t k : {i - 3, i - 2, i - 1, i - 3, i - 1, i}) out.push_back(in[k]);
            }
        }
        return;
    case Primitive::Polygon:
        topology = Topology::Triangles;
        for (size_t i = 2; i < n; ++i)
            for (const size_t k : {i - 1, i, size_t{0}}) out.push_back(in[k]);
        return;
    }
}

}  // namespace

Gfx::Gfx(Device& device) : device_(device), draws_(&device), current_(kInitialAttributes)
{
    built_.reserve(1 << 14);
    shaped_.reserve(1 << 15);
}

Texture Gfx::createTexture(const TextureSettings& settings, const uint8_t* rgba)
{
    return Texture(device_, device_.createTexture(settings, rgba), settings);
}

Result<RenderTarget> Gfx::createTarget(int32_t width, int32_t height)
{
    return RenderTarget::create(device_, width, height);
}

Mesh Gfx::createMesh(Primitive primitive, std::span<const Vertex> vertices, std::span<const uint32_t> indices,
                     MeshAttributes attributes)
{
    // Stored meshes are lists of triangles or strips, indexed or not, as the device draws them.
    const Topology topology = primitive == Primitive::TriangleStrip ? Topology::TriangleStrip : Topology::Triangles;
    return Mesh(device_, device_.createMesh(topology, vertices, indices, attributes), topology);
}

void Gfx::setDrawing(bool on) { draws_ = on ? &device_ : &idle_; }

void Gfx::bindTarget(const RenderTarget* target) { draws_->bindTarget(target ? target->name() : 0); }

void Gfx::viewport(int32_t x, int32_t y, int32_t width, int32_t height) { draws_->viewport({x, y, width, height}); }

void Gfx::clear(float r, float g, float b, float a) { draws_->clear({r, g, b, a}); }

void Gfx::readPixels(const PixelBox& box, uint8_t* rgba) { draws_->readPixels(box, rgba); }

void Gfx::blit(const RenderTarget* source, const PixelBox& from, const RenderTarget* destination, const PixelBox& to,
               bool linear)
{
    draws_->blit(source ? source->name() : 0, from, destination ? destination->name() : 0, to, linear);
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
}

void Gfx::end()
{
    if (!inPrimitive_) return;
    inPrimitive_ = false;
    if (!drawing()) return;
    Topology topology = Topology::Triangles;
    shape(primitive_, built_, shaped_, topology, projection.top() * modelView.top());
    if (!shaped_.empty()) submit(topology, shaped_);
}

DrawCall Gfx::call(const DrawState& state) const
{
    DrawCall c;
    c.state = state;
    c.modelView = modelView.top();
    c.projection = projection.top();
    c.shading = &shading_;
    c.current = current_;
    return c;
}

void Gfx::submit(Topology topology, std::span<const Vertex> vertices)
{
    DrawCall c = call(state_);
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
    Topology topology = Topology::Triangles;
    shape(primitive, built_, shaped_, topology, projection.top() * modelView.top());
    if (shaped_.empty()) return;
    DrawCall c = call(state);
    c.topology = topology;
    c.vertices = shaped_;
    draws_->draw(c);
}

void Gfx::draw(const Mesh& mesh, const DrawState& state)
{
    if (!drawing()) return;
    DrawCall c = call(state);
    c.topology = mesh.topology();
    c.mesh = mesh.name();
    draws_->draw(c);
}

void Gfx::drawInstances(const Mesh& mesh, const DrawState& state, const Instances& instances)
{
    if (!drawing() || instances.count == 0) return;
    DrawCall c = call(state);
    c.topology = mesh.topology();
    c.mesh = mesh.name();
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

void Gfx::reset()
{
    shading_ = Shading{};
    current_ = kInitialAttributes;
    projection.reset();
    modelView.reset();
}
