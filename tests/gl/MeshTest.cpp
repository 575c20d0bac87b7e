// The shared cube mesh draws exactly what a cube built for each draw would.
#include <gtest/gtest.h>

#include "GLContext.h"
#include "geometry/Meshes.h"

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

}  // namespace
