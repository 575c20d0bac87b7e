// The drawing layer over a device that records what it is asked to draw: what primitives
// become, what carries from draw to draw, and that nothing reaches the device while not
// drawing.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "gfx/Gfx.h"

namespace {

struct Recorded : ::testing::Test {
    NullDevice device{true};
    Gfx g{device};

    // The x of each vertex of the last draw, in order.
    std::vector<float> xs() const
    {
        std::vector<float> out;
        for (const Vertex& v : device.draws().back().vertices) out.push_back(v.position[0]);
        return out;
    }
    void primitive(Primitive p, int count, const DrawState& state = {})
    {
        g.begin(p, state);
        for (int i = 0; i < count; ++i) g.vertex(static_cast<float>(i), 0, 0);
        g.end();
    }
};

TEST_F(Recorded, PrimitivesBecomeWhatTheRasteriserTakes)
{
    // Quads inside the view: split along 0-2; a loop closes; a polygon fans out from its
    // first vertex taken last; incomplete pieces are dropped.
    ortho(g.projection.top(), -10, 10, -10, 10, -1, 1);
    primitive(Primitive::Quads, 9);
    EXPECT_EQ(device.draws().back().call.topology, Topology::Triangles);
    EXPECT_EQ(xs(), (std::vector<float>{0, 1, 2, 0, 2, 3, 4, 5, 6, 4, 6, 7}));
    primitive(Primitive::LineLoop, 3);
    EXPECT_EQ(device.draws().back().call.topology, Topology::LineStrip);
    EXPECT_EQ(xs(), (std::vector<float>{0, 1, 2, 0}));
    primitive(Primitive::Polygon, 5);
    EXPECT_EQ(xs(), (std::vector<float>{1, 2, 0, 2, 3, 0, 3, 4, 0}));
    primitive(Primitive::Lines, 5);
    EXPECT_EQ(xs(), (std::vector<float>{0, 1, 2, 3}));
    primitive(Primitive::TriangleStrip, 5);
    EXPECT_EQ(device.draws().back().call.topology, Topology::TriangleStrip);
    EXPECT_EQ(xs().size(), 5u);
    const size_t before = device.draws().size();
    primitive(Primitive::Triangles, 2);
    primitive(Primitive::LineStrip, 1);
    primitive(Primitive::Quads, 3);
    EXPECT_EQ(device.draws().size(), before) << "a primitive without a whole piece was drawn";
}

TEST_F(Recorded, QuadsReachingOutOfViewSplitAlongTheOtherDiagonal)
{
    // The second quad lies beyond the view's right edge: its whole piece is split along 1-3.
    ortho(g.projection.top(), -10, 10, -10, 10, -1, 1);
    g.begin(Primitive::Quads, {});
    for (const float x : {0.f, 1.f, 2.f, 3.f, 20.f, 21.f, 22.f, 23.f}) g.vertex(x, 0, 0);
    g.end();
    EXPECT_EQ(xs(), (std::vector<float>{0, 1, 3, 1, 2, 3, 20, 21, 23, 21, 22, 23}));
    // A long run of quads goes in pieces of 4096 vertices, each decided alone.
    g.begin(Primitive::Quads, {});
    for (int i = 0; i < 4096 + 8; ++i) g.vertex(i < 4096 ? 0.0f : 30.0f, 0, 0);
    g.end();
    const auto& draws = device.draws();
    ASSERT_GE(draws.size(), 3u);
    EXPECT_EQ(draws[draws.size() - 2].vertices.size(), 4096u / 4 * 6);
    EXPECT_EQ(draws.back().vertices.size(), 12u);
}

TEST_F(Recorded, CurrentAttributesCarryOnButNotFromArrays)
{
    g.colour(0.1f, 0.2f, 0.3f, 0.4f);
    g.normal(0, 1, 0);
    g.texCoord(0.5f, 0.25f);
    primitive(Primitive::Triangles, 3);
    for (const Vertex& v : device.draws().back().vertices) {
        EXPECT_EQ(v.colour[3], 0.4f);
        EXPECT_EQ(v.normal[1], 1);
        EXPECT_EQ(v.texCoord[1], 0.25f);
    }
    // Arrays give their own normals; afterwards the current normal is the one set before.
    const float positions[9] = {0, 0, 0, 1, 0, 0, 0, 1, 0};
    const float normals[9] = {0, 0, 1, 0, 0, 1, 0, 0, 1};
    VertexArrays arrays;
    arrays.positions = positions;
    arrays.normals = normals;
    arrays.count = 3;
    g.drawArrays(Primitive::Triangles, {}, arrays);
    EXPECT_EQ(device.draws().back().vertices[0].normal[2], 1);
    EXPECT_EQ(device.draws().back().vertices[0].texCoord[1], 0.25f);  // none given: the current one
    primitive(Primitive::Triangles, 3);
    EXPECT_EQ(device.draws().back().vertices[0].normal[1], 1);
}

TEST_F(Recorded, TheLightStandsWhereTheModelviewPutItWhenItWasSet)
{
    g.modelView.translate(0, 0, -5);
    g.setLight({1, 2, 3, 1}, {0, 0, 0, 1}, {1, 1, 1, 1}, {1, 1, 1, 1});
    g.modelView.loadIdentity();
    g.modelView.rotate(90, 0, 1, 0);
    primitive(Primitive::Triangles, 3, {.lighting = Lighting::Material});
    const ShaderInputs& s = device.draws().back().call.inputs;
    EXPECT_EQ(s.lightPosition[0], 1);
    EXPECT_EQ(s.lightPosition[2], -2);
    // A direction is turned but not moved.
    g.modelView.loadIdentity();
    g.modelView.translate(4, 4, 4);
    g.setLightPosition({0, 0, 1, 0});
    EXPECT_EQ(g.shading().lightPosition[0], 0);
    EXPECT_EQ(g.shading().lightPosition[2], 1);
    EXPECT_EQ(g.shading().lightPosition[3], 0);
}

TEST_F(Recorded, WithoutDrawingNothingReachesTheDeviceAndTheRestGoesOn)
{
    g.setDrawing(false);
    EXPECT_FALSE(g.drawing());
    g.bindTarget(nullptr);
    g.clear(1, 1, 1, 1);
    g.colour(0.5f, 0.5f, 0.5f, 1);
    primitive(Primitive::Triangles, 3);
    g.setLight({0, 0, 1, 0}, {0.3f, 0.3f, 0.3f, 1}, {1, 1, 1, 1}, {1, 1, 1, 1});
    g.modelView.translate(1, 2, 3);
    EXPECT_TRUE(device.draws().empty());
    EXPECT_EQ(device.clears({}), 0);
    // Resources are still made on the device.
    const Texture t = g.createTexture({.width = 2, .height = 2}, std::vector<uint8_t>(16).data());
    EXPECT_TRUE(t.id());

    g.setDrawing(true);
    primitive(Primitive::Triangles, 3, {.lighting = Lighting::Material});
    ASSERT_EQ(device.draws().size(), 1u);
    const NullDevice::Draw& d = device.draws().back();
    EXPECT_EQ(d.vertices[0].colour[0], 0.5f);
    EXPECT_EQ(d.call.inputs.lightAmbient[0], 0.3f);
    EXPECT_EQ(d.call.inputs.modelView.at(1, 3), 2);
}

TEST_F(Recorded, WhatCarriesFromFrameToFrameIsRestoredFromACopy)
{
    g.colour(0.25f, 0, 0, 1);
    g.setFog(50);
    g.modelView.push();
    g.modelView.translate(1, 1, 1);
    const Gfx::Carried copy = g.carried();

    g.colour(0, 0, 0, 0);
    g.setFog(10);
    g.setMaterial({1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, 30);
    g.modelView.pop();
    g.projection.translate(0, 0, -5);
    g.restore(copy);
    EXPECT_EQ(g.shading().fogEnd, 50);
    EXPECT_EQ(g.shading().shininess, 0);
    EXPECT_TRUE(g.projection.top() == Mat4::identity());
    primitive(Primitive::Triangles, 3);
    EXPECT_EQ(device.draws().back().vertices[0].colour[0], 0.25f);
    EXPECT_EQ(device.draws().back().call.inputs.modelView.at(1, 3), 1);
    g.modelView.pop();  // the pushed matrix came back with the copy
    EXPECT_TRUE(g.modelView.top() == Mat4::identity());
}

TEST_F(Recorded, EachDrawCarriesTheLightMaterialAndFogAsTheShadingReceivesThem)
{
    g.setLight({0, 3, 4, 0}, {0.5f, 0.5f, 0.5f, 1}, {1, 0.5f, 0.25f, 1}, {1, 1, 1, 1});
    g.setModelAmbient({0.4f, 0.4f, 0.4f, 1});
    g.setMaterial({0.5f, 0.5f, 0.5f, 1}, {0.8f, 0.8f, 0.8f, 0.6f}, {0.25f, 0.25f, 0.25f, 1}, 12);
    g.setFog(40);
    g.projection.scale(2, 2, 1);
    g.modelView.scale(2, 4, 0.5f);
    primitive(Primitive::Triangles, 3, {.lighting = Lighting::Material, .fog = true});
    const ShaderInputs& in = device.draws().back().call.inputs;
    EXPECT_TRUE(in.lit);
    EXPECT_EQ(in.lighting, static_cast<int32_t>(Lighting::Material));
    EXPECT_EQ(in.modelViewProjection.at(0, 0), 4);
    EXPECT_EQ(in.modelViewProjection.at(1, 1), 8);
    // Normals go through the inverse transpose: a scale by 2 shrinks them by 2.
    EXPECT_FLOAT_EQ(in.normalMatrix[0], 0.5f);
    EXPECT_FLOAT_EQ(in.normalMatrix[4], 0.25f);
    EXPECT_FLOAT_EQ(in.normalMatrix[8], 2);
    // The direction towards the light and the half vector with the eye's +z, unit length.
    EXPECT_FLOAT_EQ(in.lightDirection[1], 0.6f);
    EXPECT_FLOAT_EQ(in.lightDirection[2], 0.8f);
    EXPECT_FLOAT_EQ(in.halfVector[1], 0.6f / std::sqrt(0.36f + 3.24f));
    EXPECT_FLOAT_EQ(in.halfVector[2], 1.8f / std::sqrt(0.36f + 3.24f));
    // The light's colours on the material's, the material's alpha kept.
    EXPECT_FLOAT_EQ(in.ambientProduct[0], 0.25f);
    EXPECT_FLOAT_EQ(in.diffuseProduct[1], 0.4f);
    EXPECT_FLOAT_EQ(in.diffuseProduct[3], 0.6f);
    EXPECT_FLOAT_EQ(in.specularProduct[2], 0.25f);
    EXPECT_FLOAT_EQ(in.sceneColour[0], 0.2f);
    EXPECT_FLOAT_EQ(in.sceneColour[3], 0.6f);
    EXPECT_EQ(in.shininess, 12);
    // Linear fog from the eye (factor 1) to 40 units (factor 0).
    EXPECT_FLOAT_EQ(in.fogScale * 0 + in.fogOffset, 1);
    EXPECT_FLOAT_EQ(in.fogScale * 40 + in.fogOffset, 0);

    // An unlit, unfogged draw is given neither.
    primitive(Primitive::Triangles, 3);
    const ShaderInputs& plain = device.draws().back().call.inputs;
    EXPECT_FALSE(plain.lit);
    EXPECT_FALSE(plain.fog);
    EXPECT_EQ(plain.lightDiffuse[0], 0);
}

}  // namespace
