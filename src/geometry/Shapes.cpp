#include "geometry/Shapes.h"

#include <epoxy/gl.h>

#include <cmath>

namespace {

const Vec3 octahedronVertices[6] = {{1, 0, 0}, {0, -1, 0}, {-1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, -1}};
const int octahedronFaces[8 * 3] = {4, 0, 1, 4, 1, 2, 4, 2, 3, 4, 3, 0, 5, 1, 0, 5, 2, 1, 5, 3, 2, 5, 0, 3};

const Vec3 cubeVertices[8] = {{-1, -1, -1}, {1, -1, -1}, {1, 1, -1}, {-1, 1, -1},
                              {-1, -1, 1},  {1, -1, 1},  {1, 1, 1},  {-1, 1, 1}};
const int cubeFaces[6 * 4] = {0, 1, 2, 3, 5, 4, 7, 6, 6, 2, 1, 5, 3, 7, 4, 0, 7, 3, 2, 6, 5, 1, 0, 4};

constexpr float a = 0.52573f, b = 0.85065f;
const Vec3 icosahedronVertices[12] = {{0, -a, b}, {b, 0, a},  {b, 0, -a}, {-b, 0, -a}, {-b, 0, a},  {-a, b, 0},
                                      {a, b, 0},  {a, -b, 0}, {-a, -b, 0}, {0, -a, -b}, {0, a, -b}, {0, a, b}};
const int icosahedronFaces[20 * 3] = {6, 2, 1, 2, 7,  1, 5, 4, 3, 8, 3, 4, 11, 5, 6, 10, 6, 5, 2, 10,
                                      9, 3, 9, 10, 9, 8, 7, 0, 7, 8, 1, 0, 11, 4, 11, 0, 10, 2, 6, 11,
                                      6, 1, 10, 5, 3, 11, 4, 5, 9, 7, 2, 0, 1,  7, 8, 9, 3,  0, 8, 4};

constexpr float c = 0.57735f, d = 0.93417f, e = 0.35682f;
const Vec3 dodecahedronVertices[20] = {{-c, -c, c}, {d, e, 0},   {d, -e, 0}, {-d, e, 0},  {-d, -e, 0},
                                       {0, d, e},   {0, d, -e},  {e, 0, -d}, {-e, 0, -d}, {0, -d, -e},
                                       {0, -d, e},  {e, 0, d},   {-e, 0, d}, {c, c, -c},  {c, c, c},
                                       {-c, c, -c}, {-c, c, c},  {c, -c, -c}, {c, -c, c}, {-c, -c, -c}};
const int dodecahedronFaces[12 * 5] = {1, 2,  18, 11, 14, 1,  13, 7,  17, 2,  3,  4,  19, 8,  15,
                                       3, 16, 12, 0,  4,  3,  15, 6,  5,  16, 1,  14, 5,  6,  13,
                                       2, 17, 9,  10, 18, 4,  0,  10, 9,  19, 7,  8,  19, 9,  17,
                                       6, 15, 8,  7,  13, 5,  14, 11, 12, 16, 10, 0,  12, 11, 18};

void drawSolid(const Polyhedron& solid, GLenum mode, float scale)
{
    glScalef(scale, scale, scale);
    const bool perFace = mode == GL_POLYGON;
    if (!perFace) glBegin(mode);
    for (int f = 0; f < solid.faceCount; ++f) {
        if (perFace) glBegin(mode);
        const Vec3 n = faceNormal(solid, f);
        glNormal3f(n.x, n.y, n.z);
        for (int k = 0; k < solid.cornersPerFace; ++k) {
            const Vec3& v = solid.vertices[solid.faces[f * solid.cornersPerFace + k]];
            glVertex3f(v.x, v.y, v.z);
        }
        if (perFace) glEnd();
    }
    if (!perFace) glEnd();
}

void vertex(const Vec3& v) { glVertex3f(v.x, v.y, v.z); }

}  // namespace

const Polyhedron kOctahedron{octahedronVertices, octahedronFaces, 8, 3};
const Polyhedron kCube{cubeVertices, cubeFaces, 6, 4};
const Polyhedron kIcosahedron{icosahedronVertices, icosahedronFaces, 20, 3};
const Polyhedron kDodecahedron{dodecahedronVertices, dodecahedronFaces, 12, 5};

Vec3 faceNormal(const Polyhedron& solid, int face)
{
    const int* f = solid.faces + face * solid.cornersPerFace;
    const Vec3& A = solid.vertices[f[0]];
    const Vec3& B = solid.vertices[f[1]];
    const Vec3& C = solid.vertices[f[2]];
    Vec3 n = cross(C - A, B - A);
    return normalize(n);
}

void drawOctahedron(float scale) { drawSolid(kOctahedron, GL_TRIANGLES, scale); }
void drawCube(float scale) { drawSolid(kCube, GL_QUADS, scale); }
void drawIcosahedron(float scale) { drawSolid(kIcosahedron, GL_TRIANGLES, scale); }
void drawDodecahedron(float scale) { drawSolid(kDodecahedron, GL_POLYGON, scale); }

void drawGlowLine(const Vec3& a, const Vec3& b, const Vec3& colour, float width, float outerAlpha, float coreAlpha,
                  bool coreOverDepth)
{
    glEnable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    glLineWidth(width + 1.0f);
    glDepthMask(GL_FALSE);
    glColor4f(colour.x, colour.y, colour.z, outerAlpha);
    glBegin(GL_LINES);
    vertex(a);
    vertex(b);
    glEnd();
    if (coreOverDepth) glDisable(GL_DEPTH_TEST);
    glColor4f(1, 1, 1, coreAlpha);
    glLineWidth(width);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glBegin(GL_LINES);
    vertex(a);
    vertex(b);
    glEnd();
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
}

void drawWireBox(float h, bool coreOverDepth)
{
    if (!(h > 0)) return;
    const Vec3 grey(0.5f, 0.5f, 0.5f);
    // Each edge joins two corners that differ in one coordinate.
    for (int axis = 0; axis < 3; ++axis)
        for (int i = 0; i < 4; ++i) {
            float from[3], to[3];
            const float s1 = i & 1 ? h : -h, s2 = i & 2 ? h : -h;
            from[axis] = -h;
            to[axis] = h;
            from[(axis + 1) % 3] = to[(axis + 1) % 3] = s1;
            from[(axis + 2) % 3] = to[(axis + 2) % 3] = s2;
            drawGlowLine({from[0], from[1], from[2]}, {to[0], to[1], to[2]}, grey, 1.0f, 1.0f, 0.1f, coreOverDepth);
        }
}

void drawTexturedRect(float left, float bottom, float right, float top)
{
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(left, bottom);
    glTexCoord2f(1, 0);
    glVertex2f(right, bottom);
    glTexCoord2f(1, 1);
    glVertex2f(right, top);
    glTexCoord2f(0, 1);
    glVertex2f(left, top);
    glEnd();
}

void drawBillboard(const Vec3& P, const Vec3& R, const Vec3& U, float s)
{
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    vertex(P - R * s - U * s);
    glTexCoord2f(1, 0);
    vertex(P + R * s - U * s);
    glTexCoord2f(1, 1);
    vertex(P + R * s + U * s);
    glTexCoord2f(0, 1);
    vertex(P - R * s + U * s);
    glEnd();
}

std::array<Vec3, 48> discRim(const Vec3& centre, float radius)
{
    std::array<Vec3, 48> rim;
    for (int i = 0; i < 48; ++i) {
        const double theta = i * 6.283184 / 47;
        rim[i] = centre + Vec3(static_cast<float>(radius * std::sin(theta)),
                               static_cast<float>(radius * std::cos(theta)), 0.0f);
    }
    return rim;
}

void drawDisc(const Vec3& centre, float radius)
{
    glBegin(GL_POLYGON);
    for (const Vec3& v : discRim(centre, radius)) vertex(v);
    glEnd();
}

void drawCircle(const Vec3& centre, float radius)
{
    glBegin(GL_LINE_LOOP);
    for (const Vec3& v : discRim(centre, radius)) vertex(v);
    glEnd();
}

void drawPanel(const Vec3& P, const Vec3& angles, float w, float h, const Vec3& colour, float fillAlpha,
               float outlineAlpha)
{
    Mat3 m;
    m.rotation(angles.x, angles.y, angles.z);
    const Vec3 corners[4] = {m * Vec3(-w, -h, 0) + P, m * Vec3(w, -h, 0) + P, m * Vec3(w, h, 0) + P,
                             m * Vec3(-w, h, 0) + P};
    glColor4f(colour.x, colour.y, colour.z, fillAlpha);
    glBegin(GL_QUADS);
    for (const Vec3& v : corners) vertex(v);
    glEnd();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glColor4f(colour.x, colour.y, colour.z, outlineAlpha);
    glBegin(GL_LINE_LOOP);
    for (const Vec3& v : corners) vertex(v);
    glEnd();
}

void drawSpiral(int count, float angleFrom, float angleTo, float r, const Vec3& colour, float alpha, float dr)
{
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glColor4f(colour.x, colour.y, colour.z, alpha * 0.95f);
    glBegin(GL_LINE_STRIP);
    for (int i = 0; i < count; ++i) {
        const float t = static_cast<float>(i) / count;
        const double phi = (t * angleTo + (1 - t) * angleFrom) * 3.0 + 0.27;
        glVertex3f(static_cast<float>(std::sin(phi) * r), 0.0f, static_cast<float>(std::cos(phi) * r));
        r += dr;
    }
    glEnd();
}
