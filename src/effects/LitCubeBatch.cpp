#include "effects/LitCubeBatch.h"

#include <epoxy/gl.h>

#include <cstddef>

#include "geometry/Meshes.h"
#include "gfx/ShaderProgram.h"

bool LitCubeBatch::available() { return epoxy_gl_version() >= 33; }

void LitCubeBatch::begin(size_t capacity, const Vec3& light)
{
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView_);
    glGetFloatv(GL_PROJECTION_MATRIX, projection_);
    light_[0] = light.x;
    light_[1] = light.y;
    light_[2] = light.z;
    light_[3] = 1;
    cubes_.reserve(capacity);
    cubes_.clear();
}

void LitCubeBatch::add(const Vec3& corner, float size, float alpha, const Vec3& colour)
{
    Cube c;
    c.size = size;
    // Column-major matrices: element (row r, column k) at [4k + r].
    const float* m = modelView_;
    float* t = c.modelViewColumn;
    for (int r = 0; r < 4; ++r) t[r] = m[r] * corner.x + m[4 + r] * corner.y + m[8 + r] * corner.z + m[12 + r];
    const float* p = projection_;
    for (int r = 0; r < 4; ++r) c.projectionColumn[r] = p[r] * t[0] + p[4 + r] * t[1] + p[8 + r] * t[2] + p[12 + r] * t[3];
    const float* L = light_;
    for (int r = 0; r < 3; ++r) c.lightPosition[r] = m[r] * L[0] + m[4 + r] * L[1] + m[8 + r] * L[2] + t[r] * L[3];
    const float tint[4] = {colour.x * alpha, colour.y * alpha, colour.z * alpha, alpha};
    for (int k = 0; k < 4; ++k) c.tint[k] = tint[k];
    cubes_.push_back(c);
}

void LitCubeBatch::draw(const ShaderProgram& program) const
{
    if (cubes_.empty()) return;
    program.use();
    kUnitCube.bindArrays();
    struct Attribute {
        const char* name;
        GLint components;
        size_t offset;
    };
    const Attribute attributes[] = {{"size", 1, offsetof(Cube, size)},
                                    {"modelViewColumn", 4, offsetof(Cube, modelViewColumn)},
                                    {"projectionColumn", 4, offsetof(Cube, projectionColumn)},
                                    {"lightPosition", 3, offsetof(Cube, lightPosition)},
                                    {"particleTint", 4, offsetof(Cube, tint)}};
    GLint locations[5];
    for (int i = 0; i < 5; ++i) {
        locations[i] = glGetAttribLocation(program.id(), attributes[i].name);
        if (locations[i] < 0) continue;
        const auto index = static_cast<GLuint>(locations[i]);
        const auto* base = reinterpret_cast<const char*>(cubes_.data());
        glEnableVertexAttribArray(index);
        glVertexAttribPointer(index, attributes[i].components, GL_FLOAT, GL_FALSE, sizeof(Cube),
                              base + attributes[i].offset);
        glVertexAttribDivisor(index, 1);
    }
    glDrawElementsInstanced(kUnitCube.primitive, kUnitCube.indexCount, GL_UNSIGNED_INT, kUnitCube.indices.data(),
                            static_cast<GLsizei>(cubes_.size()));
    for (GLint location : locations) {
        if (location < 0) continue;
        glVertexAttribDivisor(static_cast<GLuint>(location), 0);
        glDisableVertexAttribArray(static_cast<GLuint>(location));
    }
}
