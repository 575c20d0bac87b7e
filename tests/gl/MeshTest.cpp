// What is drawn from arrays or stored meshes shows exactly what drawing it vertex by vertex
// shows: the metaball surface, the meteor's rock; and drawing from arrays leaves the current
// normal and texture coordinate as they were.
#include <gtest/gtest.h>

#include "GLContext.h"
#include "geometry/Meshes.h"
#include "geometry/MetaballField.h"
#include "scenes/MetaballScene.h"

namespace {

// Lit from a direction, textured by a pattern, depth-tested: so that positions, normals and
// texture coordinates all show.
constexpr DrawState kLitSurface{.depthTest = true, .lighting = Lighting::Material};

class ImmediateSurface final : public SurfaceSink {
public:
    void vertex(const Vec3& normal, const Vec3& point) override
    {
        gfx().normal(normal.x, normal.y, normal.z);
        gfx().texCoord(point.x, point.y);
        gfx().vertex(point);
    }
};

Texture pattern()
{
    std::vector<uint8_t> texels(16 * 16 * 4);
    for (size_t i = 0; i < texels.size(); i += 4) {
        texels[i] = static_cast<uint8_t>(i / 4 % 16 * 16);
        texels[i + 1] = static_cast<uint8_t>(i / 64 * 16);
        texels[i + 2] = 200;
        texels[i + 3] = 255;
    }
    return gfx().createTexture({.width = 16, .height = 16, .mipmapped = false, .repeat = true}, texels.data());
}

void litView(float extent)
{
    resetDrawing();
    ortho(gfx().projection.top(), -extent, extent, -extent, extent, -20, 20);
    gfx().setLight({1, 2, 3, 0}, {0, 0, 0, 1}, {1, 1, 1, 1}, {1, 1, 1, 1});
    gfx().setModelAmbient({0.2f, 0.2f, 0.2f, 1});
    gfx().setMaterial({0.2f, 0.2f, 0.2f, 1}, {0.8f, 0.8f, 0.8f, 1}, {0.5f, 0.5f, 0.5f, 1}, 20);
    gfx().modelView.rotate(35, 1, 1, 0);
}

int drawn(const std::vector<uint8_t>& pixels)
{
    int n = 0;
    for (size_t i = 0; i < pixels.size(); i += 4) n += pixels[i] + pixels[i + 1] + pixels[i + 2] > 0;
    return n;
}

TEST(Meshes, MetaballSurfaceFromArraysDrawsAsVertexByVertex)
{
    const auto field = buildMetaballField();
    field->balls[0] = {{-1.5f, 0.5f, 0}, 2.0f};
    field->balls[1] = {{2.0f, -1.0f, 0.5f}, 1.6f};
    field->balls[2] = {{0.5f, 0.2f, 1.5f}, -0.8f};
    evaluateMetaballField(*field);
    const Texture texture = pattern();
    const DrawState state = kLitSurface.withTexture(texture.id());

    litView(6);
    ImmediateSurface sink;
    gfx().begin(Primitive::Triangles, state);
    polygoniseField(*field, 0.5f, sink);
    gfx().end();
    const std::vector<uint8_t> expected = readPixels();
    EXPECT_GT(drawn(expected), 500);

    litView(6);
    gfx().normal(0.25f, 0.5f, 0.75f);
    gfx().texCoord(0.125f, 0.375f);
    SurfaceArrays arrays;
    drawFieldSurface(gfx(), state, *field, arrays);
    EXPECT_EQ(readPixels(), expected);
    // The arrays' normals and texture coordinates were the vertices' own, not the current ones.
    gfx().begin(Primitive::Triangles, state);
    gfx().vertex(0, 0, 0);
    const Vertex after = gfx().building().front();
    gfx().end();
    EXPECT_EQ(after.normal[1], 0.5f);
    EXPECT_EQ(after.texCoord[1], 0.375f);
}

TEST(Meshes, StoredRockDrawsAsItsArraysInTheCurrentColour)
{
    const IndexedMesh rock = buildDisplacedSphere();
    const Mesh stored = rock.store(gfx());
    const DrawState state{.depthTest = true, .lighting = Lighting::ColourMaterial};

    litView(2);
    gfx().colour(0.9f, 0.5f, 0.2f, 1);
    const std::vector<uint32_t> indices(rock.indices.begin(), rock.indices.begin() + rock.indexCount);
    VertexArrays arrays;
    arrays.positions = rock.positions.data();
    arrays.normals = rock.normals.data();
    arrays.indices = indices;
    gfx().drawArrays(Primitive::Triangles, state, arrays);
    const std::vector<uint8_t> expected = readPixels();
    EXPECT_GT(drawn(expected), 1000);

    litView(2);
    gfx().colour(0.9f, 0.5f, 0.2f, 1);
    gfx().draw(stored, state);
    EXPECT_EQ(readPixels(), expected);
}

}  // namespace
