// Meshes drawn from arrays show exactly what drawing them vertex by vertex shows: the shared
// cube mesh, and the metaball surface.
#include <gtest/gtest.h>

#include "GLContext.h"
#include "geometry/Meshes.h"
#include "geometry/MetaballField.h"
#include "scenes/MetaballScene.h"

namespace {

std::vector<uint8_t> litCube(void (*draw)(float), float s)
{
    resetDrawingState();
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);
    glDisable(GL_COLOR_MATERIAL);
    glClear(GL_DEPTH_BUFFER_BIT);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1, 1, -1, 1, -5, 5);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const GLfloat light[4] = {1, 2, 3, 1};  // in eye coordinates
    glLightfv(GL_LIGHT0, GL_POSITION, light);
    glRotatef(30, 1, 1, 0);
    draw(s);
    glDisable(GL_LIGHTING);
    glDisable(GL_LIGHT0);
    glDisable(GL_DEPTH_TEST);
    return readPixels();
}

void builtForTheDraw(float s)
{
    VertexArrayMesh mesh = VertexArrayMesh::buildCube(s, s, s);
    mesh.bindArrays();
    mesh.draw();
}

TEST(Meshes, SharedCubeDrawsAsACubeBuiltForEachDraw)
{
    for (float s : {0.6f, 0.25f, 0.0362f, 0.5f}) {
        const std::vector<uint8_t> expected = litCube(builtForTheDraw, s);
        const std::vector<uint8_t> shared = litCube(drawCubeMesh, s);
        EXPECT_EQ(shared, expected) << "size " << s;
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

class ImmediateSurface final : public SurfaceSink {
public:
    void vertex(const Vec3& normal, const Vec3& point) override
    {
        glNormal3fv(&normal.x);
        glTexCoord2fv(&point.x);
        glVertex3fv(&point.x);
    }
};

std::vector<uint8_t> surface(MetaballField& field, bool fromArrays)
{
    resetDrawingState();
    const GLuint texture = [] {
        std::vector<uint8_t> texels(16 * 16 * 4);
        for (size_t i = 0; i < texels.size(); i += 4) {
            texels[i] = static_cast<uint8_t>(i / 4 % 16 * 16);
            texels[i + 1] = static_cast<uint8_t>(i / 64 * 16);
            texels[i + 2] = 200;
            texels[i + 3] = 255;
        }
        GLuint name = 0;
        glGenTextures(1, &name);
        glBindTexture(GL_TEXTURE_2D, name);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 16, 16, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        return name;
    }();
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);
    glClear(GL_DEPTH_BUFFER_BIT);
    glEnable(GL_LIGHTING);  // so that the normals show too
    glEnable(GL_LIGHT0);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-6, 6, -6, 6, -20, 20);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const GLfloat light[4] = {1, 2, 3, 0};
    glLightfv(GL_LIGHT0, GL_POSITION, light);
    glRotatef(35, 1, 1, 0);
    if (fromArrays) {
        SurfaceArrays arrays;
        drawFieldSurface(field, arrays);
    } else {
        ImmediateSurface sink;
        glBegin(GL_TRIANGLES);
        polygoniseField(field, 0.5f, sink);
        glEnd();
    }
    glDisable(GL_LIGHTING);
    glDisable(GL_LIGHT0);
    glDisable(GL_DEPTH_TEST);
    glLoadIdentity();
    const std::vector<uint8_t> pixels = readPixels();
    glDeleteTextures(1, &texture);
    return pixels;
}

TEST(Meshes, MetaballSurfaceFromArraysDrawsAsVertexByVertex)
{
    const auto field = buildMetaballField();
    field->balls[0] = {{-1.5f, 0.5f, 0}, 2.0f};
    field->balls[1] = {{2.0f, -1.0f, 0.5f}, 1.6f};
    field->balls[2] = {{0.5f, 0.2f, 1.5f}, -0.8f};
    evaluateMetaballField(*field);
    const std::vector<uint8_t> expected = surface(*field, false);
    int drawn = 0;
    for (size_t i = 0; i < expected.size(); i += 4) drawn += expected[i] + expected[i + 1] + expected[i + 2] > 0;
    EXPECT_GT(drawn, 500);
    EXPECT_EQ(surface(*field, true), expected);
}

}  // namespace
